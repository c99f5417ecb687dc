#include "support/TestAppDir.h"

#include "datastore/AppState.h"
#include "datastore/ExamWorkbookImport.h"
#include "datastore/PasswordHash.h"
#include "datastore/StartUp.h"
#include "examrooms/ExamNoSettings.h"
#include "workspace/GridFill.h"
#include "workspace/frmMain.h"

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

TestAppDir::TestAppDir()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder for the application directory");
    resetSharedState();
    PasswordHash::UseIterationsForTests(kTestHashIterations);
    SetAppPath(m_dir.path());
    StartUp::Run();
}

TestAppDir::~TestAppDir()
{
    resetSharedState();
}

QString TestAppDir::path() const
{
    return m_dir.path();
}

QString TestAppDir::dbPath() const
{
    return QDir(path()).filePath(QStringLiteral("suju/sujuf.mdb"));
}

ImportResult TestAppDir::importExam(const QString &fixtureOrPath) const
{
    const QString path = QFileInfo(fixtureOrPath).isAbsolute() ? fixtureOrPath : fixture(fixtureOrPath);
    return ImportExamWorkbook(path);
}

void TestAppDir::logIn() const
{
    gLoggedIn = true;
    gUserName = QStringLiteral("admin");
}

QString TestAppDir::fixture(const QString &name)
{
    return QDir(QStringLiteral(KAOWU_FIXTURES_DIR)).filePath(name);
}

// The one place a test puts the program's shared variables back: the data store's, the
// exam-number settings and what the lists leave in the workspace.
void TestAppDir::resetSharedState()
{
    PasswordHash::UseIterationsForTests(0);
    AppState::ResetForTests();
    gExamNoPrefix.clear();
    gExamNoForm.clear();
    gDocTitle.clear();
    gRoomPlaces = datastore::RoomPlaces();
}
