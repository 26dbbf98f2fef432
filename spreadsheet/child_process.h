#pragma once

#include <QString>
#include <QStringList>

class QProcess;

namespace zorvel {

// How the workstation starts another program. The program gets its standard input, output and error and
// nothing else of ours: every other descriptor (the database file and the engine's lock files, the
// server's socket, pipes, the display's socket) is closed at its start, its signal mask and the signals
// the database client ignores are set back to the defaults.

// Prepares `process` (before start()): the program started gets only its standard streams and is ended
// by the kernel (SIGKILL, or `deathSignal`) when the thread that started it ends, so it never outlives
// the run however that ends. A program that must end what it starts itself (a helper) asks for a signal
// it can handle.
void startsCleanly(QProcess& process, int deathSignal = 9);

// Also puts the program into a process group of its own, so that killOwnGroup() ends whatever it started.
void startsInOwnGroup(QProcess& process, int deathSignal = 9);
// Ends the whole process group that `process` leads (started with startsInOwnGroup()).
void killOwnGroup(QProcess& process);

// A program that starts others itself (LibreOffice's soffice starts oosplash, which starts soffice.bin) is
// run under a small watcher (python3) that puts it into a process group of its own and ends that group when
// the workstation goes (its parent gone, its input closed, SIGTERM), which the kernel's parent-death signal
// would not reach; prepare the QProcess with startsCleanly(process, SIGTERM). Without python3 the program
// runs as given. Its exit code is the program's (128 + the signal when a signal ended it).
struct Command {
    QString program;
    QStringList arguments;
};
Command watchedCommand(const QString& program, const QStringList& arguments);

// Starts `program` (a path) detached, in a session of its own: it may stay when the run ends and, holding
// nothing of ours, keeps nothing of the run open. False (and errno set) when it could not be started.
bool startDetachedCleanly(const QString& program, const QStringList& arguments);

} // namespace zorvel
