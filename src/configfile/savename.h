#pragma once

#include <QString>

// How the save dialog turns the name typed by the user into the path of a ".P19" file, and
// the main window's caption for a configuration.
namespace ondalis {

// The text without its leading and trailing spaces (other blanks are kept).
QString trimSpaces(const QString& text);

// The part of the name after its last folder separator; the name itself when it holds none.
QString bareFileName(const QString& name);

// The file name without its extensions: everything from the first "." of the name's last part
// on is cut ("a.b.c" -> "a", "/mes.docs/essai.txt" -> "/mes.docs/essai"); folders stay whole.
QString withoutExtensions(const QString& name);

// Whether the typed name still names a file once its extensions are cut: ".txt" or "cours/"
// do not (what is left would be a hidden ".P19").
bool namesAFile(const QString& name);

// The full path of the file to write for a typed name (trimmed, not empty): extensions cut,
// the folder of the list put in front when the name holds no folder (a relative folder is
// taken in the list's folder too), and ".P19" appended. "essai" in /data -> "/data/essai.P19".
QString completedConfigurationPath(const QString& name, const QString& listFolder);

// "Ondalis - " followed by the path, cleaned ("/a/./b/../c.P19" shows as "/a/c.P19").
QString configurationCaption(const QString& path);

}  // namespace ondalis
