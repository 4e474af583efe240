#pragma once

#include <QString>

#include <atomic>
#include <functional>

// The one process-wide state holder. Constructed once by main() (or by a test
// with a temporary program folder) before any screen exists; every screen and
// core class reads it through theApp().
//
// Threading: all fields are written on the GUI thread. The analysis worker and
// the camera threads only read the folders and the language index while no
// screen changes them; the two camera flags are atomics because camera threads
// read them while the GUI thread writes them.
class CTessalyApp {
public:
    // Tip kinds of the tip routine: 0 success, 1 error, anything else information.
    enum TipKind { TipSuccess = 0, TipError = 1, TipInfo = 2 };

    using TipHandler = std::function<void(const QString& text, int kind)>;
    using ConfirmHandler =
        std::function<int(const QString& message, const QString& first, const QString& second)>;

    // programFolder is the folder that holds the executable; a trailing "/" is added.
    explicit CTessalyApp(const QString& programFolder);
    ~CTessalyApp();
    CTessalyApp(const CTessalyApp&) = delete;
    CTessalyApp& operator=(const CTessalyApp&) = delete;

    // Application state, in the order the program declares it.
    int m_nLanguage = 0;          // 0, 1, 2; -1 when no language is selected
    QString m_strImagePath;       // picture root folder, no trailing separator
    QString m_strReportPath;      // report folder of the current member
    QString m_strAppPath;         // program folder, ends with "/"
    QString m_strLanguagePath;    // full path of the current language file
    QString m_strMemberImagePath; // picture folder of the current member
    QString m_strSkinPath;        // "icons/" inside the program folder, ends with "/"
    int m_bResultsAvailable = 0;  // 1 while the main window holds results

    // Read by camera threads without a lock.
    std::atomic<int> m_bCameraStreaming{0};
    std::atomic<int> m_bNetCameraMode{0};

    // The current main window (a QWidget*), registered by the main window while it
    // exists; the camera sources reach the frame sinks through it.
    void* m_pMainWnd = nullptr;

    QString settingsFile() const { return m_strAppPath + "Setup.ini"; }
    QString presettingFile() const { return m_strAppPath + "PreSetting/presetting.ini"; }

    // Tip routine (text, kind) and confirmation routine (message, first, second)
    // -> 1 confirm, 2 otherwise. The screens layer installs the real boxes; until
    // then a tip goes nowhere and a confirmation answers 2.
    void ShowTip(const QString& text, int kind) const;
    int Confirm(const QString& message, const QString& first, const QString& second) const;
    void setTipHandler(TipHandler handler) { m_tipHandler = std::move(handler); }
    void setConfirmHandler(ConfirmHandler handler) { m_confirmHandler = std::move(handler); }

    static CTessalyApp* instance() { return s_instance; }

private:
    TipHandler m_tipHandler;
    ConfirmHandler m_confirmHandler;
    static CTessalyApp* s_instance;
};

// Global accessor to the application state.
inline CTessalyApp& theApp() {
    return *CTessalyApp::instance();
}
