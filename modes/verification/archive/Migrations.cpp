#include "modes/verification/archive/Migrations.h"

namespace verification::archive {

namespace {

// Runs, their planned points, each reading as taken, and the checks. Doubles are REAL (IEEE
// doubles, exact both ways); times are ISO 8601 UTC text, so they sort as text. A check's
// point_index is -1 for the run's own checks (the volume, the pulses, the reason the current
// was not checked).
const QStringList kVersion1{
    QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
    // The last sequence number given per prefix and year: a number is never given twice, even
    // when its run is deleted.
    QStringLiteral("CREATE TABLE number_counters (prefix TEXT NOT NULL, year INTEGER NOT NULL, "
                   "last INTEGER NOT NULL, PRIMARY KEY (prefix, year))"),
    QStringLiteral("CREATE TABLE runs ("
                   "id INTEGER PRIMARY KEY, "
                   "number TEXT NOT NULL UNIQUE, "
                   "bench TEXT NOT NULL, "
                   "state TEXT NOT NULL CHECK (state IN ('running', 'complete', 'incomplete', 'interrupted')), "
                   "started TEXT NOT NULL, "
                   "ended TEXT, "
                   "modules TEXT NOT NULL DEFAULT '', "
                   "meter_type TEXT NOT NULL DEFAULT '', "
                   "serial_number TEXT NOT NULL DEFAULT '', "
                   "owner TEXT NOT NULL DEFAULT '', "
                   "operator_name TEXT NOT NULL DEFAULT '', "
                   "auto_circulations INTEGER NOT NULL DEFAULT 0, "
                   "delay_ns REAL NOT NULL DEFAULT 0, "
                   "settle_ms INTEGER NOT NULL DEFAULT 0, "
                   "readings_per_point INTEGER NOT NULL DEFAULT 0, "
                   "period_ms INTEGER NOT NULL DEFAULT 0, "
                   "volume_settle_ms INTEGER NOT NULL DEFAULT 0, "
                   "check_volume REAL NOT NULL DEFAULT 0, "
                   "planned_points TEXT NOT NULL DEFAULT '', "
                   "incomplete_reason TEXT NOT NULL DEFAULT '', "
                   "conclusion TEXT CHECK (conclusion IN ('fit', 'unfit')), "
                   "seal_order INTEGER UNIQUE, "
                   "previous_seal TEXT, "
                   "seal TEXT)"),
    QStringLiteral("CREATE TABLE points ("
                   "run_id INTEGER NOT NULL REFERENCES runs (id) ON DELETE CASCADE, "
                   "point_index INTEGER NOT NULL, "
                   "flow INTEGER NOT NULL, "
                   "imitated_flow REAL, "
                   "permissible_pct REAL NOT NULL, "
                   "complete INTEGER NOT NULL DEFAULT 0, "
                   "PRIMARY KEY (run_id, point_index))"),
    QStringLiteral("CREATE TABLE readings ("
                   "run_id INTEGER NOT NULL, "
                   "point_index INTEGER NOT NULL, "
                   "ord INTEGER NOT NULL, "
                   "value REAL NOT NULL, "
                   "taken_at TEXT NOT NULL, "
                   "PRIMARY KEY (run_id, point_index, ord), "
                   "FOREIGN KEY (run_id, point_index) REFERENCES points (run_id, point_index) ON DELETE CASCADE)"),
    QStringLiteral("CREATE TABLE checks ("
                   "run_id INTEGER NOT NULL REFERENCES runs (id) ON DELETE CASCADE, "
                   "kind TEXT NOT NULL CHECK (kind IN ('volume', 'pulses', 'current')), "
                   "point_index INTEGER NOT NULL, "
                   "reference REAL, "
                   "measured REAL, "
                   "permissible_pct REAL, "
                   "skipped TEXT NOT NULL DEFAULT '', "
                   "PRIMARY KEY (run_id, kind, point_index))"),
    // The archive window searches by these, newest first.
    QStringLiteral("CREATE INDEX runs_serial_number ON runs (serial_number)"),
    QStringLiteral("CREATE INDEX runs_started ON runs (started)"),
    QStringLiteral("CREATE INDEX runs_meter_type ON runs (meter_type, started)"),
    QStringLiteral("CREATE INDEX runs_conclusion ON runs (conclusion, started)"),
    // A starting program looks for its bench's runs left running.
    QStringLiteral("CREATE INDEX runs_running ON runs (bench) WHERE state = 'running'"),
};

}  // namespace

const QList<Migration>& migrations()
{
    static const QList<Migration> steps{{1, kVersion1}};
    return steps;
}

int knownSchemaVersion()
{
    return migrations().last().version;
}

}  // namespace verification::archive
