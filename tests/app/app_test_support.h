#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

// Each test runs in a fresh empty current directory of its own, restored afterwards.
class CTempCwd {
public:
    CTempCwd() : m_strOld(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~CTempCwd() { QDir::setCurrent(m_strOld); }
    CTempCwd(const CTempCwd&) = delete;
    CTempCwd& operator=(const CTempCwd&) = delete;

    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_strOld;
};

inline QString IniPath() {
    return QDir::current().filePath(QStringLiteral("ini/informatin.ini"));
}

// Writes the settings file (creating ini/) with these exact bytes.
inline void WriteIni(const QByteArray& bytes) {
    QDir::current().mkpath(QStringLiteral("ini"));
    QFile file(IniPath());
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

inline QByteArray ReadIni() {
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A modal dialog or menu blocks the test in its own event loop; this hands the window to `fn`
// once `find` reports it, from inside that loop. It gives up after five seconds, so that a
// window that never comes cannot reach a later test.
inline void WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> fn) {
    auto* pTimer = new QTimer;
    pTimer->setInterval(10);
    QObject::connect(pTimer, &QTimer::timeout, [pTimer, find, fn, nPolls = 0]() mutable {
        QWidget* pWindow = find();
        if (pWindow != nullptr || ++nPolls > 500) {
            pTimer->stop();
            pTimer->deleteLater();
        }
        if (pWindow != nullptr) {
            fn(pWindow);
        }
    });
    pTimer->start();
}

inline void WhenModal(std::function<void(QWidget*)> fn) {
    WhenShown([] { return QApplication::activeModalWidget(); }, std::move(fn));
}
