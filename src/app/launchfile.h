#pragma once

#include <QString>
#include <QStringList>

namespace ondalis {

// The file the program is asked to open when it starts, as the desktop asks it when a user
// double-clicks one (its menu entry runs "ondalis %f"). An ".E41" (in any letter case) is an
// exercise; any other file is taken as a configuration, whose reader then checks that it is
// one. Without an argument there is nothing to open.
struct LaunchFile {
    enum class Kind { None, Configuration, Exercise };
    Kind kind = Kind::None;
    // Absolute, with the letter case of the file on disk when only the case differs.
    QString path;
    friend bool operator==(const LaunchFile&, const LaunchFile&) = default;
};

// `arguments` as QCoreApplication::arguments() gives them, the program first. The first
// argument that is not an option ("-..."; "--" ends the options) names the file; a "file:"
// URL is taken as its local path; a relative path is taken from `currentFolder`. The others
// are ignored.
LaunchFile launchFile(const QStringList& arguments, const QString& currentFolder);

}  // namespace ondalis
