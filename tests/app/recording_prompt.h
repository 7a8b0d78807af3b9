#pragma once

#include "platform/qt_text.h"
#include "platform/user_prompt.h"

#include <QFileInfo>
#include <QStringList>
#include <string>

// Answers every prompt as told and records the texts it showed.
class CRecordingPrompt : public CUserPrompt {
public:
    void Message(QWidget*, const std::string& text) override { m_listShown << PfFromCp932(text); }
    bool Question(QWidget*, const std::string& text) override {
        m_listShown << PfFromCp932(text);
        return m_bYes;
    }
    bool ChooseFormatFile(QWidget*, std::string* pPath, std::string* pName) override {
        *pPath = m_strPath;
        *pName = QFileInfo(QString::fromStdString(m_strPath)).fileName().toStdString();
        return m_bChoose;
    }

    QStringList m_listShown;
    bool m_bYes = true;
    bool m_bChoose = true;
    std::string m_strPath;
};
