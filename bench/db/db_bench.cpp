// The database engine at 100,000 rows: iterating a snapshot, the catalogue's
// six-statement restore, FindFirst at the end, and the memory a snapshot holds.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "dao.h"

namespace {

constexpr int kRows = 100000;

// A database in a temporary folder with the catalogue's tables and the
// inventory's transactions, each holding kRows rows.
class BenchDatabase {
public:
    BenchDatabase() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vbdb-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        path_ = (dir_ / "bench.mdb").string();
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        const char* script = R"(
BEGIN;
CREATE TABLE CUSTOMERS (CUSTID LONG NOT NULL PRIMARY KEY, NAME TEXT(255), STREET TEXT(255), CITYSTATEZIP TEXT(255), PHONE TEXT(255));
CREATE TABLE ORDERS (ORDERID LONG NOT NULL PRIMARY KEY, CUSTID LONG, ORDERDATE DATETIME, CARDTYPE TEXT(255), CARDNUMB TEXT(255),
                     EXPDATE TEXT(255), PRODID LONG, QUANTITY LONG, TOTAL CURRENCY, STATUS TEXT(255));
CREATE TABLE PRODUCTS (PRODID LONG NOT NULL PRIMARY KEY, COMPOSER TEXT(255), COMPOSITION TEXT(255), PERFORMER TEXT(255),
                       CONDUCTOR TEXT(255), PRICE CURRENCY, DESCRIPTION LONGTEXT, IMAGE TEXT(255));
CREATE TABLE CUSTOMERSbak AS SELECT * FROM CUSTOMERS WHERE 0;
CREATE TABLE ORDERSbak AS SELECT * FROM ORDERS WHERE 0;
CREATE TABLE PRODUCTSbak AS SELECT * FROM PRODUCTS WHERE 0;
CREATE TABLE tblTransactions (TransactionID LONG NOT NULL PRIMARY KEY, TransactionDate DATETIME, ProductID LONG,
  PurchaseOrderID LONG, TransactionDescription TEXT(255), UnitPrice CURRENCY, UnitsOrdered LONG, UnitsReceived LONG,
  UnitsSold LONG, UnitsShrinkage LONG);
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 100000)
  INSERT INTO CUSTOMERSbak SELECT k, 'Customer ' || k, k || ' Linden Avenue', 'Madison, WI 53703', '(608) 555-0142' FROM n;
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 100000)
  INSERT INTO ORDERSbak SELECT k, k % 500, 46000 + k % 700, 'Visa', '4111 1111 1111 1111', '08/28', k % 16 + 1,
    k % 5 + 1, round((k % 5 + 1) * 15.99 + 2, 2), 'Order Initiated' FROM n;
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 100000)
  INSERT INTO PRODUCTSbak SELECT k, 'Composer ' || (k % 50), 'Composition number ' || k, 'Festival Orchestra',
    'A. Conductor', 9.99 + k % 10, 'A recording described in a sentence of ordinary length.', 'album' || k || '.jpg' FROM n;
INSERT INTO CUSTOMERS SELECT * FROM CUSTOMERSbak;
INSERT INTO ORDERS SELECT * FROM ORDERSbak;
INSERT INTO PRODUCTS SELECT * FROM PRODUCTSbak;
WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 100000)
  INSERT INTO tblTransactions SELECT k, 46000 + k % 700, k % 16 + 1, k % 300 + 1, 'Received from supplier',
    8.5 + k % 7, 10, 10, k % 4, 0 FROM n;
COMMIT;
)";
        sqlite3_exec(db, script, nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    ~BenchDatabase() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::filesystem::path dir_;
    std::string path_;
};

BenchDatabase& bench() {
    static BenchDatabase db;
    return db;
}

void BM_IterateSnapshot(benchmark::State& state) {
    auto db = dao::OpenDatabase(bench().path());
    for (auto _ : state) {
        auto rs = db->OpenRecordset("SELECT * FROM ORDERS ORDER BY ORDERID", dao::dbOpenSnapshot);
        long long sum = 0;
        int fields = rs->Fields().Count();
        for (; !rs->Eof(); rs->MoveNext())
            for (int f = 0; f < fields; ++f) {
                vb::Variant v = rs->Fields(f).Value();
                sum += static_cast<long long>(v.Type());
            }
        benchmark::DoNotOptimize(sum);
        if (rs->RecordCount() != kRows) state.SkipWithError("wrong row count");
    }
}
BENCHMARK(BM_IterateSnapshot)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CatalogueRestore(benchmark::State& state) {
    auto db = dao::OpenDatabase(bench().path());
    for (auto _ : state) {
        db->Execute("DELETE CUSTOMERS.* FROM CUSTOMERS;");
        db->Execute("INSERT INTO CUSTOMERS SELECT CUSTOMERSbak.* FROM CUSTOMERSbak;");
        db->Execute("DELETE ORDERS.* FROM ORDERS;");
        db->Execute("INSERT INTO ORDERS SELECT ORDERSbak.* FROM ORDERSbak;");
        db->Execute("DELETE PRODUCTS.* FROM PRODUCTS;");
        db->Execute("INSERT INTO PRODUCTS SELECT PRODUCTSbak.* FROM PRODUCTSbak;");
        if (db->RecordsAffected() != kRows) state.SkipWithError("wrong row count");
    }
}
BENCHMARK(BM_CatalogueRestore)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindFirstAtEnd(benchmark::State& state) {
    auto db = dao::OpenDatabase(bench().path());
    auto rs = db->OpenRecordset("select * from [tblTransactions] Order by [TransactionID]");
    for (auto _ : state) {
        rs->FindFirst("TransactionID=100000");
        if (rs->NoMatch()) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_FindFirstAtEnd)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenDynaset(benchmark::State& state) {
    auto db = dao::OpenDatabase(bench().path());
    for (auto _ : state) {
        auto rs = db->OpenRecordset("select * from [tblTransactions] Order by [TransactionID]");
        benchmark::DoNotOptimize(rs->RecordCount());
    }
}
BENCHMARK(BM_OpenDynaset)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SnapshotMemory(benchmark::State& state) {
    auto db = dao::OpenDatabase(bench().path());
    double megabytes = 0;
    for (auto _ : state) {
        malloc_trim(0);
        std::size_t before = mallinfo2().uordblks;
        auto rs = db->OpenRecordset("SELECT * FROM ORDERS", dao::dbOpenSnapshot);
        std::size_t after = mallinfo2().uordblks;
        megabytes = static_cast<double>(after - before) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(rs->RecordCount());
    }
    state.counters["MB_held"] = megabytes;
}
BENCHMARK(BM_SnapshotMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
