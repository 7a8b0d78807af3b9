#pragma once

#include "platform/desktop_services.h"
#include "platform/settings_file.h"

#include <memory>
#include <string>
#include <vector>

// The application object: fixes where the settings file lies, runs the main form modally as the
// only window, and serves the form's reads and writes of the settings file and its desktop.
class CHeaderApp {
public:
    // `services` are the prompts and the clipboard the program uses; a test gives its own.
    explicit CHeaderApp(CDesktopServices& services = PfDesktopServices());
    ~CHeaderApp();
    CHeaderApp(const CHeaderApp&) = delete;
    CHeaderApp& operator=(const CHeaderApp&) = delete;

    // Start-up: fixes the settings path, then runs the main form until the user closes it.
    // Returns false in every case: there is nothing left to run once the form is gone.
    bool InitInstance();
    // Releases the settings path; the process's exit code.
    int ExitInstance();

    // Fixes the settings file by the rule of SettingsLocateHere: the ini/ folder of the
    // directory current now, else the user's configuration folder. false (after telling the
    // user) when there is no memory for it.
    bool InitProfile();

    // Text values in code page 932. Without a settings path, reads give the default and writes
    // fail; failed writes are not reported.
    std::string GetProfileString(const char* pszSection, const char* pszKey,
                                 const char* pszDefault) const;
    // File system paths, kept as their own bytes.
    std::string GetProfileRaw(const char* pszSection, const char* pszKey,
                              const char* pszDefault) const;
    // Several values in one replacement of the file: a crash never leaves some of them new.
    bool WriteProfileValues(const char* pszSection, const std::vector<SettingsValue>& values);

    CDesktopServices& Services() const { return m_services; }

private:
    CDesktopServices& m_services;
    std::unique_ptr<CSettingsFile> m_pProfile;
};
