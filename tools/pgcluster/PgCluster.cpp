#include "PgCluster.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <gdal_priv.h>
#include <gdal_utils.h>

extern char** environ;

#ifndef CORVANE_PG_BINDIR
#error "CORVANE_PG_BINDIR names the folder of initdb, pg_ctl and psql"
#endif

namespace corvane::testing {

namespace {

const std::string kBin = CORVANE_PG_BINDIR;
constexpr const char* kOwner = "corvane";

bool runningAsRoot() { return geteuid() == 0; }

// Runs a program, its output appended to `log`; returns its exit status.
int run(const std::vector<std::string>& args, const std::string& log)
{
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void chownToServerUser(const std::string& path)
{
    const passwd* user = getpwnam("postgres");
    if (user == nullptr) throw std::runtime_error("the tests run as root but there is no postgres user");
    if (chown(path.c_str(), user->pw_uid, user->pw_gid) != 0) throw std::runtime_error("cannot hand " + path + " over");
}

} // namespace

PgCluster::PgCluster()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-pg-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no folder for the test cluster");
    m_folder = pattern;
    initialise();
    start();
}

// The server runs in its data folder, where a relative socket folder would
// name another place.
PgCluster::PgCluster(const std::string& folder)
    : m_folder(std::filesystem::absolute(folder).lexically_normal().string()), m_kept(true)
{
    if (!std::filesystem::exists(m_folder + "/data/PG_VERSION")) {
        std::filesystem::create_directories(m_folder);
        initialise();
    }
    start();
}

void PgCluster::initialise()
{
    if (runningAsRoot()) chownToServerUser(m_folder);
    // Local connections are trusted: the socket lives in a folder of our own.
    if (runServerTool({kBin + "/initdb", "-D", m_folder + "/data", "-A", "trust", "-U", kOwner, "-E", "UTF8",
                       "--no-sync"}) != 0) {
        throw std::runtime_error("initdb failed: " + readFile(m_folder + "/tool.log"));
    }
}

PgCluster::~PgCluster()
{
    if (m_running) {
        runServerTool({kBin + "/pg_ctl", "-D", m_folder + "/data", "-m", m_kept ? "fast" : "immediate", "-w", "stop"});
    }
    if (m_kept) return;
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
}

PgCluster& PgCluster::shared()
{
    static PgCluster cluster;
    return cluster;
}

int PgCluster::runServerTool(const std::vector<std::string>& args) const
{
    std::vector<std::string> command;
    if (runningAsRoot()) command = {"/usr/sbin/runuser", "-u", "postgres", "--"};
    command.insert(command.end(), args.begin(), args.end());
    const std::string log = m_folder + "/tool.log";
    // The log is written by the server's user.
    if (runningAsRoot() && !std::filesystem::exists(log)) {
        std::ofstream{log};
        chownToServerUser(log);
    }
    return run(command, log);
}

void PgCluster::start()
{
    // fsync off: a test cluster that dies is thrown away anyway.
    const std::string options = "-k " + m_folder + " -p " + m_port + " -c listen_addresses='' -c fsync=off";
    if (runServerTool({kBin + "/pg_ctl", "-D", m_folder + "/data", "-o", options, "-l", m_folder + "/server.log", "-w",
                       "start"}) != 0) {
        throw std::runtime_error("the test server did not start: " + readFile(m_folder + "/tool.log") +
                                 readFile(m_folder + "/server.log"));
    }
    m_running = true;
}

void PgCluster::stop()
{
    if (runServerTool({kBin + "/pg_ctl", "-D", m_folder + "/data", "-m", "fast", "-w", "stop"}) != 0) {
        throw std::runtime_error("the test server did not stop: " + readFile(m_folder + "/tool.log"));
    }
    m_running = false;
}

std::string PgCluster::connection(const std::string& database, const std::string& user) const
{
    return "PG:host=" + m_folder + " port=" + m_port + " user=" + user + " dbname=" + database;
}

std::string PgCluster::psql(const std::string& database, const std::vector<std::string>& args,
                            const std::string& user) const
{
    const std::string log = m_folder + "/psql.log";
    std::filesystem::remove(log);
    std::vector<std::string> command{kBin + "/psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", m_folder, "-p",
                                     m_port, "-U", user, "-d", database};
    command.insert(command.end(), args.begin(), args.end());
    const int status = run(command, log);
    if (status != 0) throw std::runtime_error("psql failed on " + args.back() + ": " + readFile(log));
    return readFile(log);
}

void PgCluster::sql(const std::string& database, const std::string& statements, const std::string& user) const
{
    (void)psql(database, {"-c", statements}, user);
}

std::string PgCluster::query(const std::string& database, const std::string& statement) const
{
    return psql(database, {"-A", "-t", "-c", statement}, kOwner);
}

bool PgCluster::hasDatabase(const std::string& database) const
{
    return query("postgres", "SELECT count(*) FROM pg_database WHERE datname = '" + database + "'").rfind("1", 0) == 0;
}

void PgCluster::createDatabase(const std::string& database) const
{
    sql("postgres", "CREATE DATABASE \"" + database + "\"");
    sql(database, "CREATE EXTENSION postgis");
}

void PgCluster::load(const std::string& database, const std::string& path, const std::vector<std::string>& extraArgs) const
{
    GDALAllRegister();
    GDALDatasetUniquePtr source(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
    if (!source) throw std::runtime_error("cannot open " + path);
    std::vector<const char*> args{"-f", "PostgreSQL"};
    for (const auto& arg : extraArgs) args.push_back(arg.c_str());
    args.push_back(nullptr);
    GDALVectorTranslateOptions* options = GDALVectorTranslateOptionsNew(const_cast<char**>(args.data()), nullptr);
    GDALDatasetH handle = GDALDataset::ToHandle(source.get());
    int usageError = 0;
    const std::string target = connection(database);
    GDALDatasetH copy = GDALVectorTranslate(target.c_str(), nullptr, 1, &handle, options, &usageError);
    GDALVectorTranslateOptionsFree(options);
    if (copy == nullptr) throw std::runtime_error("cannot copy " + path + " into " + database);
    GDALClose(copy);
}

void PgCluster::dropConnections(const std::string& database) const
{
    sql("postgres", "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '" + database +
                        "' AND pid <> pg_backend_pid()");
}

} // namespace corvane::testing
