// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/collection_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <set>
#include <string_view>
#include <system_error>
#include <tuple>

#include "library/rows_key.h"
#include "pw_version.h"

namespace pw::collection {

namespace fs = std::filesystem;

namespace {

// What each schema version adds, from the version before it: migration i makes version
// i + 1. A database is brought up step by step, each step one transaction.
constexpr std::string_view kMigrations[] = {
    // 1: marks by content, the inputs opened, the index of what was seen in them.
    "CREATE TABLE marks (rows_key TEXT NOT NULL, name TEXT NOT NULL,"
    "  favourite INTEGER NOT NULL DEFAULT 0, hidden INTEGER NOT NULL DEFAULT 0,"
    "  note TEXT NOT NULL DEFAULT '', PRIMARY KEY (rows_key, name));"
    "CREATE TABLE tags (rows_key TEXT NOT NULL, name TEXT NOT NULL, tag TEXT NOT NULL,"
    "  PRIMARY KEY (rows_key, name, tag));"
    "CREATE TABLE inputs (path TEXT PRIMARY KEY, opened INTEGER NOT NULL);"
    "CREATE TABLE presets (input TEXT NOT NULL, file TEXT NOT NULL, member TEXT NOT NULL,"
    "  size INTEGER NOT NULL, modified INTEGER NOT NULL, model TEXT NOT NULL,"
    "  name TEXT NOT NULL, rows_key TEXT NOT NULL, uses TEXT NOT NULL, style TEXT NOT NULL,"
    "  PRIMARY KEY (input, file, member));",
    // 2: the index holds what a scan needs to show a preset without reading it (its
    // facts and its status against a target), and says under which rows key and by which
    // version it was made. The earlier index is dropped: it is only ever a copy.
    "DROP TABLE presets;"
    "CREATE TABLE presets (input TEXT NOT NULL, file TEXT NOT NULL, member TEXT NOT NULL,"
    "  member_index INTEGER NOT NULL, size INTEGER NOT NULL, modified INTEGER NOT NULL,"
    "  model TEXT NOT NULL, name TEXT NOT NULL, rows INTEGER NOT NULL,"
    "  content_key TEXT NOT NULL, rows_key INTEGER NOT NULL, rows_key_high INTEGER NOT NULL,"
    "  uses TEXT NOT NULL, style TEXT NOT NULL, target TEXT NOT NULL, amp TEXT NOT NULL,"
    "  status TEXT NOT NULL, substitutions INTEGER NOT NULL, removals INTEGER NOT NULL,"
    "  reason TEXT NOT NULL, name_refused INTEGER NOT NULL, fixed_name TEXT NOT NULL,"
    "  unfixed_name TEXT NOT NULL, PRIMARY KEY (input, file, member_index));"
    "CREATE TABLE index_made (key_low INTEGER NOT NULL, key_high INTEGER NOT NULL,"
    "  program TEXT NOT NULL);",
};
static_assert(std::size(kMigrations) == kSchemaVersion);

// A prepared statement, finalised when it goes.
class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql) {
        if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
            SQLITE_OK)
            stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool ok() const { return stmt_ != nullptr; }
    Statement& bind(int i, std::string_view text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // The same for a text that stays as it is until the statement has been stepped: not
    // copied.
    Statement& bindKept(int i, std::string_view text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        return *this;
    }
    Statement& bind(int i, std::int64_t n) {
        sqlite3_bind_int64(stmt_, i, n);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    std::string text(int column) const {
        const auto* p = sqlite3_column_text(stmt_, column);
        return p ? std::string(reinterpret_cast<const char*>(p),
                               static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool exec(sqlite3* db, std::string_view sql) {
    return sqlite3_exec(db, std::string(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// One transaction: committed by commit(), rolled back otherwise.
class Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db), open_(exec(db, "BEGIN IMMEDIATE")) {}
    ~Transaction() {
        if (open_) exec(db_, "ROLLBACK");
    }
    bool ok() const { return open_; }
    // Without a transaction begun, COMMIT fails as well.
    bool commit() {
        open_ = false;
        if (exec(db_, "COMMIT")) return true;
        exec(db_, "ROLLBACK");
        return false;
    }

  private:
    sqlite3* db_;
    bool open_;
};

// Runs `work` in one transaction: whether it began, `work` did all it had to and all was
// committed. Nothing of it is kept otherwise.
template <class Work>
bool inTransaction(sqlite3* db, Work&& work) {
    if (!db) return false;
    Transaction t(db);
    return t.ok() && work() && t.commit();
}

int userVersion(sqlite3* db) {
    Statement s(db, "PRAGMA user_version");
    return s.step() == SQLITE_ROW ? static_cast<int>(s.integer(0)) : -1;
}

std::string timeStamp(std::chrono::system_clock::time_point t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

constexpr std::string_view kBackupPrefix = "library-";
constexpr std::string_view kBackupSuffix = ".sqlite";

// The backups in `folder`, oldest first (their names sort by time).
std::vector<fs::path> backupsIn(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, error)) {
        const std::string name = e.path().filename().string();
        if (name.starts_with(kBackupPrefix) && name.ends_with(kBackupSuffix))
            found.push_back(e.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::chrono::system_clock::time_point backupTime(const fs::path& backup) {
    std::string stamp = backup.filename().string();
    stamp = stamp.substr(kBackupPrefix.size(),
                         stamp.size() - kBackupPrefix.size() - kBackupSuffix.size());
    std::tm parts{};
    if (std::sscanf(stamp.c_str(), "%4d%2d%2d-%2d%2d%2d", &parts.tm_year, &parts.tm_mon,
                    &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec) != 6)
        return {};
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    return std::chrono::system_clock::from_time_t(timegm(&parts));
}

fs::path backupFolderOf(const fs::path& database) {
    return database.parent_path() / "backups";
}

// Brings `db` up to kSchemaVersion; false when a step failed (nothing of it is kept).
bool migrate(sqlite3* db) {
    for (int version = userVersion(db); version < kSchemaVersion; ++version) {
        Transaction t(db);
        if (!t.ok() || !exec(db, kMigrations[version]) ||
            !exec(db, "PRAGMA user_version = " + std::to_string(version + 1)) || !t.commit())
            return false;
    }
    return true;
}

void loadTags(sqlite3* db, const ContentKey& key, Marks& marks) {
    Statement s(db, "SELECT tag FROM tags WHERE rows_key = ?1 AND name = ?2 ORDER BY tag");
    s.bind(1, keyText(key.rowsKey)).bind(2, key.name);
    while (s.step() == SQLITE_ROW)
        marks.tags.push_back(s.text(0));
}

bool writeMarks(sqlite3* db, const ContentKey& key, const Marks& m) {
    const std::string k = keyText(key.rowsKey);
    {
        Statement del(db, "DELETE FROM tags WHERE rows_key = ?1 AND name = ?2");
        if (del.bind(1, k).bind(2, key.name).step() != SQLITE_DONE) return false;
    }
    if (m.empty()) {
        Statement del(db, "DELETE FROM marks WHERE rows_key = ?1 AND name = ?2");
        return del.bind(1, k).bind(2, key.name).step() == SQLITE_DONE;
    }
    Statement put(db,
                  "INSERT OR REPLACE INTO marks (rows_key, name, favourite, hidden, note)"
                  " VALUES (?1, ?2, ?3, ?4, ?5)");
    put.bind(1, k).bind(2, key.name).bind(3, std::int64_t{m.favourite});
    put.bind(4, std::int64_t{m.hidden}).bind(5, m.note);
    if (put.step() != SQLITE_DONE) return false;
    Statement tag(db, "INSERT OR IGNORE INTO tags (rows_key, name, tag) VALUES (?1, ?2, ?3)");
    for (const std::string& t : m.tags) {
        tag.reset();
        if (tag.bind(1, k).bind(2, key.name).bind(3, t).step() != SQLITE_DONE) return false;
    }
    return true;
}

Marks readMarks(sqlite3* db, const ContentKey& key) {
    Marks m;
    Statement s(db, "SELECT favourite, hidden, note FROM marks WHERE rows_key = ?1 AND name = ?2");
    s.bind(1, keyText(key.rowsKey)).bind(2, key.name);
    if (s.step() == SQLITE_ROW) {
        m.favourite = s.integer(0) != 0;
        m.hidden = s.integer(1) != 0;
        m.note = s.text(2);
    }
    loadTags(db, key, m);
    return m;
}

// Opens `path` as a database that must exist, with the settings every connection has.
sqlite3* openExisting(const fs::path& path, std::string& detail) {
    sqlite3* db = nullptr;
    // A connection is only ever used by one thread at a time: no lock around each call.
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        detail = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// Whether the database answers and says it is whole. The check reads every page, so a
// file is checked once per run: later connections (the library's, on its own thread)
// trust a file found whole, as long as it is the same file, unchanged.
bool healthy(sqlite3* db, const fs::path& path) {
    static std::mutex mutex;
    static std::set<std::tuple<std::string, dev_t, ino_t, off_t, time_t, long>> whole;
    // SQLite has the file open, so it is there to be looked at.
    struct stat st {};
    ::stat(path.c_str(), &st);
    const auto file = std::tuple(path.string(), st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec,
                                 st.st_mtim.tv_nsec);
    {
        const std::lock_guard lock(mutex);
        if (whole.contains(file)) return true;
    }
    Statement s(db, "PRAGMA quick_check");
    const bool ok = s.ok() && s.step() == SQLITE_ROW && s.text(0) == "ok";
    if (ok) {
        const std::lock_guard lock(mutex);
        whole.insert(file);
    }
    return ok;
}

}  // namespace

std::string keyText(std::uint64_t rowsKey) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(rowsKey));
    return text;
}

Store::Store() = default;

Store::~Store() {
    sqlite3_close(db_);
}

fs::path Store::defaultPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (data && *data && fs::path(data).is_absolute())
        base = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        base = fs::temp_directory_path();
    return base / "patchwright" / "library.sqlite";
}

namespace {

std::int64_t stored(std::uint64_t n) {
    return static_cast<std::int64_t>(n);
}

// Under which rows key and by which version the index was made, when it was.
struct IndexMade {
    library::RowsKeySecret key{};
    std::string program;
};

std::optional<IndexMade> indexMade(sqlite3* db) {
    Statement s(db, "SELECT key_low, key_high, program FROM index_made");
    if (s.step() != SQLITE_ROW) return std::nullopt;
    return IndexMade{
        {static_cast<std::uint64_t>(s.integer(0)), static_cast<std::uint64_t>(s.integer(1))},
        s.text(2)};
}

// Whether the index was made under this process's rows key by this very version.
bool indexIsOurs(sqlite3* db) {
    const std::optional<IndexMade> made = indexMade(db);
    return made && made->program == PW_VERSION_TEXT && made->key == library::rowsKeySecret();
}

std::optional<library::Status> statusNamed(std::string_view word) {
    for (std::size_t i = 0; i < library::kStatusCount; ++i)
        if (library::statusWord(library::Status(i)) == word) return library::Status(i);
    return std::nullopt;
}

}  // namespace

OpenResult Store::open(const fs::path& path) {
    sqlite3_close(db_);
    db_ = nullptr;
    path_ = path;
    OpenResult result;
    std::error_code error;
    const bool existed = fs::exists(path, error);
    if (existed) {
        sqlite3* db = openExisting(path, result.detail);
        if (db) {
            const int version = healthy(db, path) ? userVersion(db) : -1;
            if (version > kSchemaVersion) {
                sqlite3_close(db);
                result.status = OpenStatus::NewerVersion;
                result.detail = "it was written by a newer Patchwright (schema " +
                                std::to_string(version) + ")";
                return result;
            }
            if (version >= 0 && exec(db, "PRAGMA journal_mode = WAL") && migrate(db)) {
                db_ = db;
                result.status = OpenStatus::Opened;
                // Keys made from now on meet the index's, unless some were made already.
                if (const std::optional<IndexMade> made = indexMade(db_))
                    library::adoptRowsKeySecret(made->key);
                return result;
            }
            sqlite3_close(db);
        } else if (access(path.c_str(), R_OK | W_OK) != 0) {
            result.detail = "it cannot be read and written";
            return result;  // Unavailable: a file we may not touch is left alone
        }
        // Damaged: kept aside, never deleted, and a new one made in its place.
        fs::path aside = path;
        aside += ".damaged-" + timeStamp(std::chrono::system_clock::now());
        fs::rename(path, aside, error);
        if (error) {
            result.detail = "it is damaged and cannot be moved aside: " + error.message();
            return result;
        }
        for (const char* extra : {"-wal", "-shm"}) {
            fs::path side = path;
            side += extra;
            fs::path sideAside = aside;
            sideAside += extra;
            fs::rename(side, sideAside, error);
        }
        result.movedTo = aside;
    }
    fs::create_directories(path.parent_path(), error);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd == -1) {
        result.detail = std::error_code(errno, std::generic_category()).message();
        return result;
    }
    ::close(fd);
    sqlite3* db = openExisting(path, result.detail);
    if (!db || !exec(db, "PRAGMA journal_mode = WAL") || !migrate(db)) {
        if (db) result.detail = sqlite3_errmsg(db);
        sqlite3_close(db);
        fs::remove(path, error);
        return result;
    }
    db_ = db;
    result.status = result.movedTo.empty() ? OpenStatus::Created : OpenStatus::Recovered;
    if (!result.movedTo.empty()) {
        // The marks come back from the newest backup that can be read.
        const std::vector<fs::path> backups = backupsIn(backupFolderOf(path));
        for (auto it = backups.rbegin(); it != backups.rend(); ++it) {
            Statement attach(db_, "ATTACH DATABASE ?1 AS saved");
            if (attach.bind(1, it->string()).step() != SQLITE_DONE) continue;
            Transaction t(db_);
            const bool copied =
                t.ok() && exec(db_, "INSERT INTO marks SELECT * FROM saved.marks") &&
                exec(db_, "INSERT INTO tags SELECT * FROM saved.tags") && t.commit();
            exec(db_, "DETACH DATABASE saved");
            if (copied) {
                result.restored = *it;
                break;
            }
        }
    }
    return result;
}

std::map<ContentKey, Marks> Store::marks(std::span<const ContentKey> keys) const {
    // A folder's worth of keys, more than there are marks: only the keys that have marks
    // are looked up.
    constexpr std::size_t kFewKeys = 64;
    if (db_ && keys.size() > kFewKeys) {
        std::vector<ContentKey> marked = markedKeys();
        if (marked.size() < keys.size()) {
            const std::set<ContentKey> anyMarks(marked.begin(), marked.end());
            std::vector<ContentKey> wanted;
            for (const ContentKey& key : keys)
                if (anyMarks.contains(key)) wanted.push_back(key);
            return lookUp(wanted);
        }
    }
    return lookUp(keys);
}

std::map<ContentKey, Marks> Store::lookUp(std::span<const ContentKey> keys) const {
    std::map<ContentKey, Marks> found;
    if (!db_) return found;
    // One read of a consistent state, each statement made once for every key: a batch of
    // thousands of rows costs a look-up per key, not a statement.
    const bool read = exec(db_, "BEGIN");
    {
        Statement mark(
            db_, "SELECT favourite, hidden, note FROM marks WHERE rows_key = ?1 AND name = ?2");
        Statement tags(db_, "SELECT tag FROM tags WHERE rows_key = ?1 AND name = ?2 ORDER BY tag");
        for (const ContentKey& key : keys) {
            const std::string k = keyText(key.rowsKey);
            Marks m;
            mark.reset();
            const bool marked = mark.bind(1, k).bind(2, key.name).step() == SQLITE_ROW;
            if (marked) {
                m.favourite = mark.integer(0) != 0;
                m.hidden = mark.integer(1) != 0;
                m.note = mark.text(2);
            }
            tags.reset();
            tags.bind(1, k).bind(2, key.name);
            while (tags.step() == SQLITE_ROW)
                m.tags.push_back(tags.text(0));
            if (marked || !m.tags.empty()) found.emplace(key, std::move(m));
        }
    }
    if (read) exec(db_, "COMMIT");
    return found;
}

std::map<ContentKey, Marks> Store::allMarks() const {
    return lookUp(markedKeys());
}

std::vector<ContentKey> Store::markedKeys() const {
    std::vector<ContentKey> keys;
    if (!db_) return keys;
    Statement s(db_, "SELECT rows_key, name FROM marks UNION SELECT rows_key, name FROM tags");
    while (s.step() == SQLITE_ROW)
        keys.push_back(ContentKey{std::strtoull(s.text(0).c_str(), nullptr, 16), s.text(1)});
    return keys;
}

std::vector<std::string> Store::tags() const {
    std::vector<std::string> all;
    if (!db_) return all;
    Statement s(db_, "SELECT DISTINCT tag FROM tags ORDER BY tag");
    while (s.step() == SQLITE_ROW)
        all.push_back(s.text(0));
    return all;
}

bool Store::change(std::span<const ContentKey> keys, const MarkChange& change) {
    return inTransaction(db_, [&] { return changeMarks(keys, change); });
}

bool Store::changeMarks(std::span<const ContentKey> keys, const MarkChange& change) {
    for (const ContentKey& key : keys) {
        Marks m = readMarks(db_, key);
        if (change.favourite) m.favourite = *change.favourite;
        if (change.hidden) m.hidden = *change.hidden;
        if (change.note) m.note = *change.note;
        std::set<std::string> tags(m.tags.begin(), m.tags.end());
        for (const std::string& tag : change.addTags)
            if (!tag.empty()) tags.insert(tag);
        for (const std::string& tag : change.removeTags)
            tags.erase(tag);
        m.tags.assign(tags.begin(), tags.end());
        if (!writeMarks(db_, key, m)) return false;
    }
    return true;
}

bool Store::restore(const std::map<ContentKey, Marks>& before) {
    return inTransaction(db_, [&] {
        return std::all_of(before.begin(), before.end(), [&](const auto& marked) {
            return writeMarks(db_, marked.first, marked.second);
        });
    });
}

bool Store::rememberInput(const fs::path& input) {
    if (!db_) return false;
    Statement s(db_, "INSERT OR REPLACE INTO inputs (path, opened) VALUES (?1, ?2)");
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    s.bind(1, input.string())
        .bind(2, std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    return s.step() == SQLITE_DONE;
}

std::vector<fs::path> Store::inputs() const {
    std::vector<fs::path> all;
    if (!db_) return all;
    Statement s(db_, "SELECT path FROM inputs ORDER BY opened DESC, path");
    while (s.step() == SQLITE_ROW)
        all.emplace_back(s.text(0));
    return all;
}

bool Store::replaceIndex(const fs::path& input, std::span<const IndexedPreset> presets) {
    std::vector<IndexedView> views;
    views.reserve(presets.size());
    for (const IndexedPreset& p : presets)
        views.push_back({&p.preset, p.uses, &p.triage, p.target, p.amp});
    return replaceIndex(input, views);
}

bool Store::replaceIndex(const fs::path& input, std::span<const IndexedView> presets) {
    return inTransaction(db_, [&] { return writeIndex(input, presets); });
}

bool Store::writeIndex(const fs::path& input, std::span<const IndexedView> presets) {
    if (!indexIsOurs(db_)) {
        const library::RowsKeySecret key = library::rowsKeySecret();
        Statement made(db_, "INSERT INTO index_made VALUES (?1, ?2, ?3)");
        made.bind(1, stored(key[0])).bind(2, stored(key[1])).bind(3, PW_VERSION_TEXT);
        if (!exec(db_, "DELETE FROM presets; DELETE FROM index_made") || made.step() != SQLITE_DONE)
            return false;
    }
    {
        Statement del(db_, "DELETE FROM presets WHERE input = ?1");
        if (del.bind(1, input.string()).step() != SQLITE_DONE) return false;
    }
    Statement put(db_,
                  "INSERT OR REPLACE INTO presets VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9,"
                  " ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, ?23)");
    // Every text bound stays as it is until its row is written, so none is copied.
    const std::string inputText = input.string();
    for (const IndexedView& p : presets) {
        const library::Preset& f = *p.preset;
        const library::Triage& how = *p.triage;
        const std::string key = keyText(f.contentKey);
        put.reset();
        put.bindKept(1, inputText).bindKept(2, f.source.file).bindKept(3, f.source.member);
        put.bind(4, stored(f.source.memberIndex)).bind(5, f.fileSize).bind(6, f.fileModified);
        put.bindKept(7, f.model).bindKept(8, f.name).bind(9, stored(f.rows));
        put.bindKept(10, key).bind(11, stored(f.rowsKey));
        put.bind(12, stored(f.rowsKeyHigh)).bindKept(13, p.uses).bindKept(14, f.style);
        put.bindKept(15, p.target).bindKept(16, std::string_view(&p.amp, p.amp ? 1 : 0));
        put.bindKept(17, library::statusWord(how.status)).bind(18, stored(how.substitutions));
        put.bind(19, stored(how.removals)).bindKept(20, how.reason);
        put.bind(21, std::int64_t(how.nameRefused)).bindKept(22, how.fixedName);
        put.bindKept(23, how.unfixedName);
        if (put.step() != SQLITE_DONE) return false;
    }
    return true;
}

std::vector<IndexedPreset> Store::index(const fs::path& input) const {
    std::vector<IndexedPreset> all;
    index(input, [&](IndexedPreset& p) { all.push_back(std::move(p)); });
    return all;
}

void Store::index(const fs::path& input, const std::function<void(IndexedPreset&)>& each) const {
    if (!db_ || !indexIsOurs(db_)) return;
    // In the key's order, which needs no sorting: each file's presets as they stand in it.
    Statement s(db_,
                "SELECT file, member, member_index, size, modified, model, name, rows,"
                " content_key, rows_key, rows_key_high, uses, style, target, amp, status,"
                " substitutions, removals, reason, name_refused, fixed_name, unfixed_name"
                " FROM presets WHERE input = ?1 ORDER BY file, member_index");
    s.bind(1, input.string());
    while (s.step() == SQLITE_ROW) {
        const std::optional<library::Status> status = statusNamed(s.text(15));
        if (!status) continue;
        IndexedPreset p;
        library::Preset& f = p.preset;
        f.source.file = s.text(0);
        f.source.member = s.text(1);
        f.source.memberIndex = static_cast<std::size_t>(s.integer(2));
        f.fileSize = s.integer(3);
        f.fileModified = s.integer(4);
        f.model = s.text(5);
        f.name = s.text(6);
        f.rows = static_cast<std::size_t>(s.integer(7));
        f.contentKey = std::strtoull(s.text(8).c_str(), nullptr, 16);
        f.rowsKey = static_cast<std::uint64_t>(s.integer(9));
        f.rowsKeyHigh = static_cast<std::uint64_t>(s.integer(10));
        f.readable = true;
        p.uses = s.text(11);
        f.style = s.text(12);
        p.target = s.text(13);
        const std::string amp = s.text(14);
        p.amp = amp.empty() ? 0 : amp.front();
        library::Triage& t = p.triage;
        t.status = *status;
        t.substitutions = static_cast<std::size_t>(s.integer(16));
        t.removals = static_cast<std::size_t>(s.integer(17));
        t.reason = s.text(18);
        t.nameRefused = s.integer(19) != 0;
        t.fixedName = s.text(20);
        t.unfixedName = s.text(21);
        each(p);
    }
}

std::optional<fs::path> Store::backupIfDue(const fs::path& folder,
                                           std::chrono::system_clock::time_point now, int keep) {
    if (!db_) return std::nullopt;
    std::error_code error;
    fs::create_directories(folder, error);
    std::vector<fs::path> backups = backupsIn(folder);
    if (!backups.empty() && now - backupTime(backups.back()) < std::chrono::hours(24))
        return std::nullopt;
    const fs::path copy =
        folder / (std::string(kBackupPrefix) + timeStamp(now) + std::string(kBackupSuffix));
    const int fd = ::open(copy.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd == -1) return std::nullopt;
    ::close(fd);
    sqlite3* dest = nullptr;
    bool done = false;
    if (sqlite3_open_v2(copy.c_str(), &dest, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        if (sqlite3_backup* b = sqlite3_backup_init(dest, "main", db_, "main")) {
            done = sqlite3_backup_step(b, -1) == SQLITE_DONE;
            done = sqlite3_backup_finish(b) == SQLITE_OK && done;
        }
    }
    sqlite3_close(dest);
    if (!done) {
        fs::remove(copy, error);
        return std::nullopt;
    }
    backups.push_back(copy);
    for (std::size_t n = 0; n + static_cast<std::size_t>(keep) < backups.size(); ++n)
        fs::remove(backups[n], error);
    return copy;
}

bool Store::intact() const {
    if (!db_) return false;
    Statement s(db_, "PRAGMA integrity_check");
    return s.step() == SQLITE_ROW && s.text(0) == "ok";
}

}  // namespace pw::collection
