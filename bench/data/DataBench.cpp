// Member database at salon scale: 10,000 members, each holding a 100 KB
// picture (about 1 GB of database). Targets: listing all members within 2 s;
// add, change, delete and search within 50 ms each.
//
// The database is built once in a temporary program folder (or in the folder
// given by VELATRIX_BENCH_DIR, kept between runs). Build and run by hand:
//   cmake --build build --target bench_data && build/bench/data/bench_data
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "CUserDataDlg.h"
#include "DataConnection.h"
#include "DataPaths.h"
#include "MemberTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kMembers = 10000;
constexpr int kPictureBytes = 100 * 1024;

QByteArray picture(int seed) {
    QByteArray bytes(kPictureBytes, Qt::Uninitialized);
    quint32 x = 2463534242u + static_cast<quint32>(seed);
    for (int i = 0; i < kPictureBytes; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = static_cast<char>(x & 0xFF);
    }
    return bytes;
}

QString nameOf(int i) {
    return QStringLiteral("Member %1").arg(i, 5, 10, QLatin1Char('0'));
}

// The program folder with the filled member database, made once per process.
class SalonFixture {
public:
    static SalonFixture& get() {
        static SalonFixture fixture;
        return fixture;
    }

    CTessalyApp& app() { return *m_app; }
    QString pictureFile() const { return m_folder + QStringLiteral("pick.bmp"); }

private:
    SalonFixture() {
        const QByteArray given = qgetenv("VELATRIX_BENCH_DIR");
        if (given.isEmpty()) {
            m_temp = std::make_unique<QTemporaryDir>();
            m_folder = m_temp->path() + '/';
        } else {
            m_folder = QString::fromLocal8Bit(given) + '/';
            QDir().mkpath(m_folder);
        }
        m_app = std::make_unique<CTessalyApp>(m_folder);
        // No language files here: every text reads "Not found", quietly.
        m_app->m_strLanguagePath = m_folder + QStringLiteral("Language/English.ini");
        QFile pick(pictureFile());
        if (pick.open(QIODevice::WriteOnly))
            pick.write(picture(-1));
        fill();
        // The first listing writes every picture file; the benchmarks measure
        // the listing the operator sees every later time.
        MemberTable table(*m_app);
        QList<MemberRecord> members;
        if (!table.open() || table.listAll(members) != DataResult::Ok)
            qFatal("cannot list the members");
    }

    void fill() {
        const QString path = DataPaths::memberDatabase(*m_app);
        if (!DataConnection::EnsureFile(path, DataConnection::Kind::Members))
            qFatal("cannot create %s", qPrintable(path));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench-fill");
            db.setDatabaseName(path);
            db.open();
            QSqlQuery count(db);
            count.exec(QStringLiteral("select count(*) from info"));
            count.next();
            const int have = count.value(0).toInt();
            count = QSqlQuery();
            if (have < kMembers) {
                db.transaction();
                QSqlQuery q(db);
                q.prepare(QStringLiteral(
                    "insert into info (Number, Name, Sex, Age, Birthday, Phone, Email, Address, "
                    "Operator, Remark, Photo) values (?, ?, '1', '30', '1990/01/01', "
                    "'13800000000', 'member@example.com', 'Rose Street', 'Lin', 'regular', ?)"));
                for (int i = have; i < kMembers; ++i) {
                    q.addBindValue(QStringLiteral("2024%1").arg(i, 12, 10, QLatin1Char('0')));
                    q.addBindValue(nameOf(i));
                    q.addBindValue(picture(i));
                    if (!q.exec())
                        qFatal("%s", qPrintable(q.lastError().text()));
                }
                q = QSqlQuery();
                db.commit();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
    }

    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_folder;
    std::unique_ptr<CTessalyApp> m_app;
};

MemberRecord newMember(const QString& name, const QString& picture) {
    MemberRecord r;
    r.name = name;
    r.sex = QStringLiteral("0");
    r.age = QStringLiteral("41");
    r.birthday = QStringLiteral("1983/02/03");
    r.phone = QStringLiteral("13900000000");
    r.picturePath = picture;
    return r;
}

void BM_ListAllMembers(benchmark::State& state) {
    SalonFixture& salon = SalonFixture::get();
    MemberTable table(salon.app());
    table.open();
    QList<MemberRecord> members;
    for (auto _ : state) {
        if (table.listAll(members) != DataResult::Ok)
            state.SkipWithError("listing failed");
        benchmark::DoNotOptimize(members.size());
    }
    state.counters["members"] = static_cast<double>(members.size());
}
BENCHMARK(BM_ListAllMembers)->Unit(benchmark::kMillisecond)->Iterations(5);

// The listing right after the picture folder was emptied: every file is written.
void BM_ListAllMembersWritingEveryPicture(benchmark::State& state) {
    SalonFixture& salon = SalonFixture::get();
    MemberTable table(salon.app());
    table.open();
    QList<MemberRecord> members;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(DataPaths::memberImageFolder(salon.app())).removeRecursively();
        state.ResumeTiming();
        if (table.listAll(members) != DataResult::Ok)
            state.SkipWithError("listing failed");
    }
}
BENCHMARK(BM_ListAllMembersWritingEveryPicture)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SearchMember(benchmark::State& state) {
    SalonFixture& salon = SalonFixture::get();
    MemberTable table(salon.app());
    table.open();
    QList<MemberRecord> found;
    int i = 0;
    for (auto _ : state) {
        if (table.search(nameOf((i++ * 7919) % kMembers), found) != DataResult::Ok)
            state.SkipWithError("search failed");
    }
}
BENCHMARK(BM_SearchMember)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_AddMember(benchmark::State& state) {
    SalonFixture& salon = SalonFixture::get();
    MemberTable table(salon.app());
    table.open();
    QList<MemberRecord> added;
    int i = 0;
    for (auto _ : state) {
        MemberRecord r = newMember(QStringLiteral("Added %1").arg(i++), salon.pictureFile());
        if (table.add(r) != DataResult::Ok)
            state.SkipWithError(qPrintable(table.lastError()));
        added << r;
    }
    for (const MemberRecord& r : std::as_const(added))
        table.remove(r);
}
BENCHMARK(BM_AddMember)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ChangeMember(benchmark::State& state) {
    SalonFixture& salon = SalonFixture::get();
    MemberTable table(salon.app());
    table.open();
    QList<MemberRecord> found;
    table.search(nameOf(4321), found);
    MemberRecord r = found.value(0);
    r.picturePath = salon.pictureFile();
    int i = 0;
    for (auto _ : state) {
        r.phone = QString::number(i++);
        if (table.change(r) != DataResult::Ok)
            state.SkipWithError(qPrintable(table.lastError()));
    }
}
BENCHMARK(BM_ChangeMember)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_DeleteMember(benchmark::State& state) {
    SalonFixture& salon = SalonFixture::get();
    MemberTable table(salon.app());
    table.open();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MemberRecord r = newMember(QStringLiteral("Leaving %1").arg(i++), salon.pictureFile());
        table.add(r);
        state.ResumeTiming();
        if (table.remove(r) != DataResult::Ok)
            state.SkipWithError(qPrintable(table.lastError()));
    }
}
BENCHMARK(BM_DeleteMember)->Unit(benchmark::kMillisecond)->Iterations(50);

// What the operator waits for: the "All" button of member management, which
// lists every member and fills the drawn list.
void BM_MemberScreenListsAll(benchmark::State& state) {
    SalonFixture::get(); // the application state the screen reads
    MemberRecord current;
    CUserDataDlg screen(current);
    auto* all = screen.findChild<QAbstractButton*>(QStringLiteral("1058"));
    for (auto _ : state)
        all->click();
    state.counters["lines"] = screen.list()->GetItemCount();
}
BENCHMARK(BM_MemberScreenListsAll)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
