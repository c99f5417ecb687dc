#pragma once

#include <QString>

// A synthetic, already arranged exam written straight into the database, for benchmarks:
//
//     QTemporaryDir dir;
//     SyntheticExam::Build(dir.path(), 50000, 1700, 60);
//
// makes `dir` the application directory (with a fresh database on first use) and replaces the
// current area's 考生表 and 考场表: examinees of `schools` schools (第1中学 ...), classes of about
// 50 (1班 ...), Chinese names, alternating 性别, scores 40..100, seated in order in `rooms`
// rooms of equal capacity (座位号 1.. in each room), the schools mixed within every room.
// Exam numbers run 1, 2, ... (Serial, form " <digits>") or are room * 100 + seat (RoomAndSeat,
// form "k2"; rooms of at most 99 seats). Afterwards the shared state is as after start-up and
// login: area tables, titles, gExamRoomColumns (all eight columns), gExamNoPrefix (none),
// gExamNoForm, gLoggedIn.
class SyntheticExam {
public:
    enum class Numbers { Serial, RoomAndSeat };

    static void Build(const QString &appDir, int examinees, int rooms, int schools, Numbers numbers = Numbers::Serial);
    // One exam for the whole run of a benchmark program, built in a temporary application
    // directory on the first call (building it takes longer than anything measured); returns
    // that directory. Later calls return it as it is, whatever their arguments.
    static QString BuildOnce(int examinees, int rooms, int schools, Numbers numbers = Numbers::Serial);

    // Seats per room for `examinees` in `rooms`.
    static int Capacity(int examinees, int rooms);
};

class frmMain;

// Closes every document of `main` and deletes them now, so a measured run starts from an empty
// workspace and does not pay for the last one's documents.
void CloseDocuments(frmMain &main);
