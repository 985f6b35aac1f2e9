#pragma once
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <functional>

#include "app/MediaSession.h"

namespace orbis {

// The player on the desktop's media interface (MPRIS 2): the sound menu, the keyboard's media
// keys and a headset's buttons reach the reading through it, and the desktop shows the book and
// heading. The state is compared with what was last announced a few times a second, which sees
// every change whatever caused it; a change is announced with PropertiesChanged.
class MprisService : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.OrbisVelora";
  static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
  static constexpr int kPollInterval = 250;  // milliseconds

  struct WindowHooks {
    // A box, a menu or long work is under way: requests wait for the reader, as keys do.
    std::function<bool()> busy;
    std::function<void()> raise;
    std::function<void()> quit;                    // as the Exit command
    std::function<void(const QString&)> openBook;  // a book folder or ncc.html
  };

  MprisService(MediaSession& session, WindowHooks window, QObject* parent = nullptr);
  ~MprisService() override;

  // Registers on the bus; false when there is no bus or the name is taken. The player runs on
  // without.
  bool registerOn(const QDBusConnection& bus);
  // Announces what changed since the last time; the timer calls it, tests may too.
  void announceChanges();
  // Runs a request of the desktop unless the reader is busy, and announces its effect at once.
  void act(const std::function<void(MediaSession&)>& request);

  MediaSession& session() { return session_; }
  const MediaSession::Snapshot& announced() const { return announced_; }
  const WindowHooks& window() const { return window_; }

 private:
  void emitChanged(const char* interface, const QVariantMap& changed);

  MediaSession& session_;
  WindowHooks window_;
  MediaSession::Snapshot announced_;
  QTimer poll_;
  QDBusConnection bus_;
  bool registered_ = false;
};

// org.mpris.MediaPlayer2: the application.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ canQuit)
  Q_PROPERTY(bool CanRaise READ canRaise)
  Q_PROPERTY(bool HasTrackList READ hasTrackList)
  Q_PROPERTY(QString Identity READ identity)
  Q_PROPERTY(QString DesktopEntry READ desktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
 public:
  explicit MprisRootAdaptor(MprisService* service);
  bool canQuit() const { return true; }
  bool canRaise() const { return true; }
  bool hasTrackList() const { return false; }
  QString identity() const;
  QString desktopEntry() const;
  QStringList supportedUriSchemes() const { return {QStringLiteral("file")}; }
  QStringList supportedMimeTypes() const { return {QStringLiteral("text/html")}; }

 public slots:
  void Raise();
  void Quit();

 private:
  MprisService* service_;
};

// org.mpris.MediaPlayer2.Player: the reading. A heading is a track.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
  Q_PROPERTY(double Rate READ rate WRITE setRate)
  Q_PROPERTY(QVariantMap Metadata READ metadata)
  Q_PROPERTY(double Volume READ volume WRITE setVolume)
  Q_PROPERTY(qlonglong Position READ position)
  Q_PROPERTY(double MinimumRate READ minimumRate)
  Q_PROPERTY(double MaximumRate READ maximumRate)
  Q_PROPERTY(bool CanGoNext READ canGoNext)
  Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
  Q_PROPERTY(bool CanPlay READ canPlay)
  Q_PROPERTY(bool CanPause READ canPause)
  Q_PROPERTY(bool CanSeek READ canSeek)
  Q_PROPERTY(bool CanControl READ canControl)
 public:
  explicit MprisPlayerAdaptor(MprisService* service);
  QString playbackStatus() const;
  double rate() const;
  void setRate(double rate);
  QVariantMap metadata() const;
  double volume() const;
  void setVolume(double volume);
  qlonglong position() const;
  double minimumRate() const { return MediaSession::kMinimumRate; }
  double maximumRate() const { return MediaSession::kMaximumRate; }
  bool canGoNext() const;
  bool canGoPrevious() const;
  bool canPlay() const;
  bool canPause() const;
  bool canSeek() const { return false; }
  bool canControl() const;

 public slots:
  void Next();
  void Previous();
  void Pause();
  void PlayPause();
  void Stop();
  void Play();
  // Seeking inside a heading is the winding buttons' work, which moves by phrases' clips; the
  // interface's seek offers nothing a reader needs, so CanSeek is false and these do nothing,
  // as the interface asks.
  void Seek(qlonglong offset);
  void SetPosition(const QDBusObjectPath& track, qlonglong position);
  void OpenUri(const QString& uri);

 signals:
  void Seeked(qlonglong position);

 private:
  MediaSession::Snapshot now() const;
  MprisService* service_;
};

// The metadata of a snapshot: the heading as the title, the book as the album.
QVariantMap mprisMetadata(const MediaSession::Snapshot& snapshot);

}  // namespace orbis
