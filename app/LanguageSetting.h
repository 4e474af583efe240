#pragma once

class CTessalyApp;

// The remembered language choice in "Setup.ini" (section "setup", key "language").
class LanguageSetting {
public:
    // Index to select at the start page: 0 when the file is missing or
    // unreadable, the stored value when it is 0-2, -1 (no selection) otherwise.
    static int read(const CTessalyApp& app);
    // Stores the index as decimal text, changing no other byte of the file;
    // false, after an error tip naming "Setup.ini", when it could not be written.
    static bool write(const CTessalyApp& app, int index);

    static constexpr int kLanguages = 3;
};
