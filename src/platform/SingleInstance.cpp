#include "platform/SingleInstance.h"

#include <unistd.h>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QUrl>

#include "platform/PrivateFolder.h"

namespace orbis {

// Whoever could create the lock or the socket first would keep the player from starting or be
// handed the books it is asked to open: both live in a folder no other user can enter.
QString defaultInstanceFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && isPrivateFolder(runtime.toStdString())) return runtime;
  const QString ownTemp =
      QDir::tempPath() + QStringLiteral("/orbis-velora-") + QString::number(getuid());
  if (ensurePrivateFolder(ownTemp.toStdString())) return ownTemp;
  // Another user took that name first; the home folder is the user's alone.
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  const QString ownCache = cache + QStringLiteral("/orbis-velora");
  if (!cache.isEmpty() && QDir().mkpath(cache) && ensurePrivateFolder(ownCache.toStdString())) {
    return ownCache;
  }
  return {};
}

namespace {
// File names may not hold every character of the instance name; keep it readable anyway.
QString fileStem(const QString& name) {
  QString stem = name;
  stem.replace(QLatin1Char('/'), QLatin1Char('_'));
  return stem + QLatin1Char('-') + QString::number(getuid());
}
}  // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder) {
  const QString where = folder.isEmpty() ? defaultInstanceFolder() : folder;
  if (!where.isEmpty()) {
    QDir dir(where);
    lockPath_ = dir.filePath(fileStem(name) + QStringLiteral(".lock"));
    socketPath_ = dir.filePath(fileStem(name) + QStringLiteral(".socket"));
  }
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
}

SingleInstance::~SingleInstance() {
  server_.close();
  if (lock_) lock_->unlock();
}

bool SingleInstance::becomePrimary() {
  if (lockPath_.isEmpty()) {
    // Better a second player than none: without a private folder the player runs on its own.
    qWarning("No private folder for the single-instance lock; running without it.");
    return true;
  }
  lock_ = std::make_unique<QLockFile>(lockPath_);
  lock_->setStaleLockTime(0);  // a lock is stale only when its process is gone
  if (!lock_->tryLock(0)) {
    lock_.reset();
    return false;
  }
  // A socket left behind by a crashed instance would block listening.
  QLocalServer::removeServer(socketPath_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(socketPath_);
  return true;
}

void SingleInstance::onConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      while (socket->canReadLine()) {
        QString line = QString::fromUtf8(socket->readLine()).trimmed();
        socket->write((answer(line) + QLatin1Char('\n')).toUtf8());
        socket->flush();
      }
    });
  }
}

QString SingleInstance::answer(const QString& line) {
  if (line == QLatin1String(kFindWindow)) {
    return (handlers_.hasMainWindow && handlers_.hasMainWindow()) ? QStringLiteral("1")
                                                                  : QStringLiteral("0");
  }
  if (line == QLatin1String(kRestore)) {
    if (handlers_.restoreMainWindow) handlers_.restoreMainWindow();
    return QStringLiteral("0");
  }
  if (line == QLatin1String(kFocusQuery)) {
    unsigned value = handlers_.focusQuery ? handlers_.focusQuery() : 0x534B0000u;
    return QString::number(value);
  }
  if (line == QLatin1String(kFocusTextView)) {
    if (handlers_.focusTextView) handlers_.focusTextView();
    return QStringLiteral("0");
  }
  if (line.startsWith(QLatin1String(kOpenPrefix))) {
    const QString book =
        QUrl::fromPercentEncoding(line.mid(QLatin1String(kOpenPrefix).size()).toLatin1());
    const bool taken = handlers_.openBook && !book.isEmpty() && handlers_.openBook(book);
    return taken ? QStringLiteral("1") : QStringLiteral("0");
  }
  if (line.startsWith(QLatin1String(kTestPrefix)) && handlers_.test) {
    return handlers_.test(line.mid(QLatin1String(kTestPrefix).size()));
  }
  return QStringLiteral("?");
}

bool SingleInstance::requestOpenBook(const QString& absolutePath) const {
  const QByteArray encoded = QUrl::toPercentEncoding(absolutePath, "/");
  const auto answer = request(QLatin1String(kOpenPrefix) + QString::fromLatin1(encoded));
  return answer && *answer == QLatin1String("1");
}

std::optional<QString> SingleInstance::request(const QString& line, int timeoutMs) const {
  if (socketPath_.isEmpty()) return std::nullopt;
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(timeoutMs)) return std::nullopt;
  socket.write((line + QLatin1Char('\n')).toUtf8());
  if (!socket.waitForBytesWritten(timeoutMs)) return std::nullopt;
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(timeoutMs)) return std::nullopt;
  }
  return QString::fromUtf8(socket.readLine()).trimmed();
}

}  // namespace orbis
