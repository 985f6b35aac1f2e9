#include "platform/MprisService.h"

#include <QDBusMessage>
#include <QUrl>

#include "app/Version.h"

namespace orbis {

namespace {

constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

QString trackPath(int heading) {
  return QStringLiteral("/org/orbisvelora/heading/%1").arg(heading);
}

}  // namespace

QVariantMap mprisMetadata(const MediaSession::Snapshot& s) {
  QVariantMap map;
  // Without a book there is no track; the interface names that with its own path.
  map.insert(QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath(
                 s.heading < 0 ? QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack")
                               : trackPath(s.heading))));
  if (s.heading < 0) return map;
  map.insert(QStringLiteral("xesam:title"), QString::fromStdString(s.title));
  map.insert(QStringLiteral("xesam:album"), QString::fromStdString(s.album));
  map.insert(QStringLiteral("mpris:length"), static_cast<qlonglong>(s.lengthMicroseconds));
  return map;
}

MprisService::MprisService(MediaSession& session, WindowHooks window, QObject* parent)
    : QObject(parent), session_(session), window_(std::move(window)), bus_(QStringLiteral("none")) {
  new MprisRootAdaptor(this);
  new MprisPlayerAdaptor(this);
  poll_.setInterval(kPollInterval);
  connect(&poll_, &QTimer::timeout, this, &MprisService::announceChanges);
}

MprisService::~MprisService() {
  if (!registered_) return;
  bus_.unregisterObject(QString::fromLatin1(kObjectPath));
  bus_.unregisterService(QString::fromLatin1(kServiceName));
}

bool MprisService::registerOn(const QDBusConnection& bus) {
  if (registered_ || !bus.isConnected()) return false;
  bus_ = bus;
  if (!bus_.registerObject(QString::fromLatin1(kObjectPath), this)) return false;
  if (!bus_.registerService(QString::fromLatin1(kServiceName))) {
    bus_.unregisterObject(QString::fromLatin1(kObjectPath));
    return false;
  }
  registered_ = true;
  announced_ = session_.snapshot();
  poll_.start();
  return true;
}

void MprisService::act(const std::function<void(MediaSession&)>& request) {
  if (window_.busy && window_.busy()) return;
  request(session_);
  announceChanges();
}

void MprisService::announceChanges() {
  const MediaSession::Snapshot now = session_.snapshot();
  if (now == announced_) return;
  const MediaSession::Snapshot before = std::exchange(announced_, now);
  QVariantMap changed;
  auto note = [&](const char* name, auto field, const QVariant& value) {
    if (before.*field != now.*field) changed.insert(QString::fromLatin1(name), value);
  };
  using S = MediaSession::Snapshot;
  note("PlaybackStatus", &S::status, QString::fromStdString(now.status));
  note("Volume", &S::volume, now.volume);
  note("Rate", &S::rate, now.rate);
  note("CanPlay", &S::canPlay, now.canPlay);
  note("CanPause", &S::canPause, now.canPause);
  note("CanGoNext", &S::canGoNext, now.canGoNext);
  note("CanGoPrevious", &S::canGoPrevious, now.canGoPrevious);
  note("CanControl", &S::canControl, now.canControl);
  if (before.heading != now.heading || before.title != now.title || before.album != now.album ||
      before.lengthMicroseconds != now.lengthMicroseconds) {
    changed.insert(QStringLiteral("Metadata"), mprisMetadata(now));
  }
  if (!changed.isEmpty()) emitChanged(kPlayerInterface, changed);
}

void MprisService::emitChanged(const char* interface, const QVariantMap& changed) {
  if (!registered_) return;
  QDBusMessage signal = QDBusMessage::createSignal(
      QString::fromLatin1(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << QString::fromLatin1(interface) << changed << QStringList();
  bus_.send(signal);
}

MprisRootAdaptor::MprisRootAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

QString MprisRootAdaptor::identity() const {
  return QString::fromLatin1(kProgramName);
}

QString MprisRootAdaptor::desktopEntry() const {
  return QStringLiteral("orbis-velora");
}

void MprisRootAdaptor::Raise() {
  if (service_->window().raise) service_->window().raise();
}

void MprisRootAdaptor::Quit() {
  if (service_->window().quit) service_->window().quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

MediaSession::Snapshot MprisPlayerAdaptor::now() const {
  return service_->session().snapshot();
}

QString MprisPlayerAdaptor::playbackStatus() const {
  return QString::fromStdString(now().status);
}
double MprisPlayerAdaptor::rate() const {
  return now().rate;
}
void MprisPlayerAdaptor::setRate(double rate) {
  service_->act([rate](MediaSession& s) { s.setRate(rate); });
}
QVariantMap MprisPlayerAdaptor::metadata() const {
  return mprisMetadata(now());
}
double MprisPlayerAdaptor::volume() const {
  return now().volume;
}
void MprisPlayerAdaptor::setVolume(double volume) {
  service_->act([volume](MediaSession& s) { s.setVolume(volume); });
}
qlonglong MprisPlayerAdaptor::position() const {
  return service_->session().positionMicroseconds();
}
bool MprisPlayerAdaptor::canGoNext() const {
  return now().canGoNext;
}
bool MprisPlayerAdaptor::canGoPrevious() const {
  return now().canGoPrevious;
}
bool MprisPlayerAdaptor::canPlay() const {
  return now().canPlay;
}
bool MprisPlayerAdaptor::canPause() const {
  return now().canPause;
}
bool MprisPlayerAdaptor::canControl() const {
  return now().canControl;
}

void MprisPlayerAdaptor::Next() {
  service_->act([](MediaSession& s) { s.next(); });
}
void MprisPlayerAdaptor::Previous() {
  service_->act([](MediaSession& s) { s.previous(); });
}
void MprisPlayerAdaptor::Pause() {
  service_->act([](MediaSession& s) { s.pause(); });
}
void MprisPlayerAdaptor::PlayPause() {
  service_->act([](MediaSession& s) { s.playPause(); });
}
void MprisPlayerAdaptor::Stop() {
  service_->act([](MediaSession& s) { s.stop(); });
}
void MprisPlayerAdaptor::Play() {
  service_->act([](MediaSession& s) { s.play(); });
}
void MprisPlayerAdaptor::Seek(qlonglong) {}
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath&, qlonglong) {}

void MprisPlayerAdaptor::OpenUri(const QString& uri) {
  const QUrl url(uri);
  if (!url.isLocalFile() || !service_->window().openBook) return;
  service_->window().openBook(url.toLocalFile());
}

}  // namespace orbis
