#pragma once

#include "batch/BatchShard.h"
#include "processing/OutputOptionSettings.h"
#include "processing/ResizingOptionsSettingObject.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace fw {

// What a command line asks for: the run's two settings records, the paths to
// add, and how the front end behaves.
struct CliOptions {
    OutputOptionSettings output;
    ResizingOptionsSettingObject geometry;
    // The standing answer to existing outputs (a ProcessFlag code).
    int conflictMode = 0;
    bool withSubfolders = true;
    QString logPath;
    bool quiet = false;
    // Diagnostics of the libraries and the engine on the terminal.
    bool verbose = false;
    // Reports what the run would do, writing nothing.
    bool dryRun = false;
    // Photos written at once; none for the default (BatchRun::defaultPhotosInFlight).
    std::optional<int> jobs;
    // This process's part of the photos when several share the job.
    std::optional<BatchShard> shard;
    QStringList paths;

    // The options, or a one-line error naming the option and what it allows.
    struct Parsed;
    static Parsed parse(const QStringList& arguments, const QString& defaultOutputFolder);
    static QString usage();
};

struct CliOptions::Parsed {
    std::optional<CliOptions> options;
    QString error;
    bool helpRequested = false;
    bool versionRequested = false;
};

} // namespace fw
