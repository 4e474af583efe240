#include "CTessalyApp.h"

CTessalyApp* CTessalyApp::s_instance = nullptr;

CTessalyApp::CTessalyApp(const QString& programFolder) {
    m_strAppPath = programFolder;
    if (!m_strAppPath.endsWith('/'))
        m_strAppPath += '/';
    m_strImagePath = m_strAppPath + "Guests-Image";
    m_strSkinPath = m_strAppPath + "icons/";
    s_instance = this;
}

CTessalyApp::~CTessalyApp() {
    if (s_instance == this)
        s_instance = nullptr;
}

void CTessalyApp::ShowTip(const QString& text, int kind) const {
    if (m_tipHandler)
        m_tipHandler(text, kind);
}

int CTessalyApp::Confirm(const QString& message, const QString& first,
                         const QString& second) const {
    return m_confirmHandler ? m_confirmHandler(message, first, second) : 2;
}
