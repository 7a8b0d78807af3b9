#include "app/header_app.h"

#include "app/app_text.h"
#include "app/header_dlg.h"
#include "header/messages.h"
#include "platform/settings_location.h"

#include <new>

CHeaderApp::CHeaderApp(CDesktopServices& services) : m_services(services) {}
CHeaderApp::~CHeaderApp() = default;

bool CHeaderApp::InitInstance() {
    if (!InitProfile()) {
        return false;
    }
    CHeaderDlg dlg(*this);
    dlg.exec();
    return false;
}

int CHeaderApp::ExitInstance() {
    m_pProfile.reset();
    return 0;
}

bool CHeaderApp::InitProfile() {
    try {
        SettingsLocation location = SettingsLocateHere();
        m_pProfile =
            std::make_unique<CSettingsFile>(std::move(location.strPath), location.bMakeFolder);
    } catch (const std::bad_alloc&) {
        m_services.Message(nullptr, AppText(MSG_NO_MEMORY));
        return false;
    }
    return true;
}

std::string CHeaderApp::GetProfileString(const char* pszSection, const char* pszKey,
                                         const char* pszDefault) const {
    return m_pProfile ? m_pProfile->GetString(pszSection, pszKey, pszDefault)
                      : std::string(pszDefault);
}

std::string CHeaderApp::GetProfileRaw(const char* pszSection, const char* pszKey,
                                      const char* pszDefault) const {
    return m_pProfile ? m_pProfile->GetRaw(pszSection, pszKey, pszDefault)
                      : std::string(pszDefault);
}

bool CHeaderApp::WriteProfileValues(const char* pszSection,
                                    const std::vector<SettingsValue>& values) {
    return m_pProfile && m_pProfile->WriteValues(pszSection, values);
}
