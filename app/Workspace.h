#pragma once

class CTessalyApp;

// The folders the program keeps beside itself.
class Workspace {
public:
    // Creates "Guests-Image" and "Reports" when missing; failures are ignored
    // (later file operations fail on their own terms).
    static void prepare(const CTessalyApp& app);
};
