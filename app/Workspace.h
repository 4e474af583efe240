#pragma once

class CTessalyApp;

// The folders the program keeps beside itself.
class Workspace {
public:
    // Creates "Guests-Image" and "Reports" when missing; failures are ignored
    // (later file operations fail on their own terms). Removes the temporary
    // files of replacements a killed process left behind (AtomicFile), and
    // names a missing "icons/" folder in an error tip.
    static void prepare(const CTessalyApp& app);
};
