#pragma once

#include "support/ScriptedPrompts.h"
#include "support/TestAppDir.h"
#include "workspace/frmMain.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// Window settings of the tests go to a temporary folder, never to the user's own.
class RedirectedSettings {
public:
    RedirectedSettings()
    {
        m_organisation = QCoreApplication::organizationName();
        QCoreApplication::setOrganizationName(QStringLiteral("kaowu-tests"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    ~RedirectedSettings() { QCoreApplication::setOrganizationName(m_organisation); }

private:
    QTemporaryDir m_dir;
    QString m_organisation;
};

// A fresh application directory, scripted prompts, redirected settings and a main window
// made after them (call openWindow once the test has prepared data and settings).
class MainWindowFixture : public ::testing::Test {
protected:
    frmMain &openWindow()
    {
        window = std::make_unique<frmMain>();
        return *window;
    }

    RedirectedSettings settings;
    TestAppDir app;
    ScriptedPrompts prompts;
    std::unique_ptr<frmMain> window;
};
