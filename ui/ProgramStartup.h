#pragma once

#include <string>

#include <QString>

// Start-up in the program's order: the single-instance rule, the workspace
// folders, then the background window run modally (which runs the rest of the
// screen chain). Returns the process exit code.
//
// Threading: GUI thread, with a QApplication already constructed.
class ProgramStartup {
public:
    static int run(const QString& programFolder);

    // The name held for as long as the program runs.
    static constexpr const char* kInstanceName = "Velatrix";
    // kInstanceName, or "Velatrix-<VELATRIX_INSTANCE>" when that variable is set.
    static std::string instanceName();
    // Interface texts ask for this face; the machine's CJK face stands in for it.
    static void registerFontSubstitutes();
};
