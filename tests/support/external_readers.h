#pragma once

// The programs the class reads exported data with, run from the tests when they are installed:
// a python3 with numpy and pandas, LibreOffice's soffice.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <optional>

namespace ondalis::testing {

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline std::optional<ProcessResult> runProcess(const QString& program, const QStringList& args,
                                               int timeoutMs = 180000) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(timeoutMs)) return std::nullopt;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return std::nullopt;
    }
    return ProcessResult{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                         p.readAllStandardOutput(), p.readAllStandardError()};
}

// A python3 that imports numpy and pandas (Debian's first: the one first on PATH may lack
// them); empty when there is none.
inline QString pythonWithPandas() {
    static const QString found = [] {
        QStringList candidates{QStringLiteral("/usr/bin/python3")};
        const QString onPath = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (!onPath.isEmpty()) candidates << onPath;
        for (const QString& c : candidates) {
            if (!QFileInfo::exists(c)) continue;
            const auto r =
                runProcess(c, {QStringLiteral("-c"), QStringLiteral("import numpy, pandas")});
            if (r && r->exitCode == 0) return c;
        }
        return QString();
    }();
    return found;
}

inline QString soffice() {
    static const QString found = [] {
        for (const char* name : {"soffice", "libreoffice"}) {
            const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!path.isEmpty()) return path;
        }
        return QString();
    }();
    return found;
}

// LibreOffice Calc opening `files` with the CSV import filter `infilter` and writing each as a
// flat OpenDocument spreadsheet (.fods) into `outDir`, with a private profile so that runs do
// not collide. False when soffice fails.
inline bool convertWithCalc(const QStringList& files, const QString& infilter,
                            const QString& outDir, QString* why = nullptr) {
    QTemporaryDir profile(QDir::tempPath() + QStringLiteral("/ondalis-soffice-XXXXXX"));
    QStringList args{
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--norestore"),
        QStringLiteral("--infilter=") + infilter,
        QStringLiteral("--convert-to"),
        QStringLiteral("fods"),
        QStringLiteral("--outdir"),
        outDir};
    args << files;
    const auto r = runProcess(soffice(), args);
    if (!r || r->exitCode != 0) {
        if (why) *why = r ? QString::fromUtf8(r->err) : QStringLiteral("soffice did not finish");
        return false;
    }
    return true;
}

}  // namespace ondalis::testing
