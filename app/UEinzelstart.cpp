#include "UEinzelstart.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QWidget>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "Main.h"

namespace {

constexpr const char* SchonOffen = "QelMap is already running in this game folder";
constexpr int Frist = 3000;  // ms for the running program to answer

int SperrDatei = -1;  // open for the whole run: the lock lives as long as it
QLocalServer* Kanal = nullptr;

// The channel of the program that holds this folder: one per user and folder, in the abstract
// namespace, so that a crash leaves no socket file behind.
QString KanalName() {
    const QByteArray ordner = QDir::current().canonicalPath().toUtf8();
    return QStringLiteral("qelmap-%1-%2")
        .arg(getuid())
        .arg(QString::fromLatin1(QCryptographicHash::hash(ordner, QCryptographicHash::Sha256).toHex().left(24)));
}

void NachVorne() {
    if (!MapForm) return;
    if (MapForm->isMinimized()) MapForm->showNormal();
    MapForm->raise();
    MapForm->activateWindow();
}

void KanalOeffnen() {
    Kanal = new QLocalServer;
    Kanal->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!Kanal->listen(KanalName())) return;  // then a second start only says so
    QObject::connect(Kanal, &QLocalServer::newConnection, Kanal, [] {
        while (QLocalSocket* s = Kanal->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            NachVorne();
            s->write("ok\n");
            s->flush();
        }
    });
}

// The running program brought its window to the front.
bool VorneGebeten() {
    QLocalSocket s;
    s.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    s.connectToServer(KanalName());
    if (!s.waitForConnected(Frist)) return false;
    return s.waitForReadyRead(Frist) && s.readLine().startsWith("ok");
}

}  // namespace

bool SpielordnerSperren() {
    SperrDatei = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (SperrDatei < 0) return true;
    if (::flock(SperrDatei, LOCK_EX | LOCK_NB) == 0) {
        KanalOeffnen();
        return true;
    }
    const bool belegt = errno == EWOULDBLOCK;
    if (!belegt) return true;
    ::close(SperrDatei);
    SperrDatei = -1;
    if (VorneGebeten()) return false;
    std::fprintf(stderr, "QelMap: %s\n", SchonOffen);
    QMessageBox::information(nullptr, QStringLiteral("QelMap"), QString::fromLatin1(SchonOffen));
    return false;
}
