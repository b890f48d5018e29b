#pragma once
// A private PostgreSQL server for tests and benchmarks: initdb in a temporary folder,
// the server listening only on a Unix socket in that folder (no TCP), run as
// the unprivileged "postgres" user when the tests run as root (the server
// refuses root). The Debian default cluster is never used or touched. The
// folder goes away with the object.
//
//   PgCluster& cluster = PgCluster::shared();          // started once per process
//   cluster.sql("town", "CREATE INDEX ON parcels (stname)");
//   openMap({cluster.connection("town")});
//   cluster.stop(); ... cluster.start();               // faults between clicks

#include <string>
#include <vector>

namespace corvane::testing {

class PgCluster {
public:
    // Starts a new cluster; throws std::runtime_error with the tool's output.
    PgCluster();
    // Starts the cluster kept in `folder`, made there first when missing;
    // it is stopped, not removed, at the end (the benchmark's big tables).
    explicit PgCluster(const std::string& folder);
    ~PgCluster();
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // One cluster for the whole test process, with the databases below.
    static PgCluster& shared();

    void stop();
    void start();
    [[nodiscard]] bool running() const noexcept { return m_running; }

    // A GDAL connection string to a database of this cluster.
    [[nodiscard]] std::string connection(const std::string& database, const std::string& user = "corvane") const;
    // Runs SQL through psql as the cluster's owner (or `user`); throws with
    // psql's output when it fails.
    void sql(const std::string& database, const std::string& statements, const std::string& user = "corvane") const;
    // The rows psql prints for a query, unaligned, without headers.
    std::string query(const std::string& database, const std::string& statement) const;
    [[nodiscard]] bool hasDatabase(const std::string& database) const;
    // A new database with PostGIS in it.
    void createDatabase(const std::string& database) const;
    // Copies the layers of a GIS file into a database, as ogr2ogr does.
    void load(const std::string& database, const std::string& path, const std::vector<std::string>& extraArgs = {}) const;
    // Ends every other connection to the database, as a server restart or a
    // network fault would.
    void dropConnections(const std::string& database) const;

    [[nodiscard]] const std::string& folder() const noexcept { return m_folder; }

private:
    int runServerTool(const std::vector<std::string>& args) const;
    void initialise();
    std::string psql(const std::string& database, const std::vector<std::string>& args, const std::string& user) const;

    std::string m_folder;
    bool m_kept = false;
    std::string m_port = "54329";
    bool m_running = false;
};

} // namespace corvane::testing
