#include "platform/SpeechDispatcher.h"

#include <libspeechd.h>

#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace orbis {

namespace {
constexpr const char* kClientName = "orbis-velora";
constexpr const char* kConnectionName = "reading";
// How long closing waits for the thread to say goodbye to the server.
constexpr auto kCloseWait = std::chrono::seconds(2);
// Events whose message id was not yet known: a handful is all that can be in flight.
constexpr size_t kMostEarlyEvents = 32;

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::replace(text.begin(), text.end(), '_', '-');
  return text;
}
}  // namespace

struct SpeechDispatcher::Shared {
  using Job = std::function<void(SPDConnection*)>;

  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable finishedWake;
  std::deque<Job> jobs;
  bool quit = false;
  bool finished = false;
  SpeechDispatcher* port = nullptr;  // null once the port is gone
  std::set<std::string> languages;   // the synthesizer's, once learnt
  std::string defaultLanguage;       // the reader's; known to the port's thread only

  // Runs f on the port's (Qt) thread, unless the port is gone.
  void post(std::function<void(SpeechDispatcher&)> f) {
    std::lock_guard lock(mutex);
    if (port == nullptr) return;
    SpeechDispatcher* target = port;
    QMetaObject::invokeMethod(
        target, [target, f = std::move(f)] { f(*target); }, Qt::QueuedConnection);
  }

  void add(Job job) {
    {
      std::lock_guard lock(mutex);
      jobs.push_back(std::move(job));
    }
    wake.notify_one();
  }

  // The language tag as the synthesizer has a voice for it, whole or by its primary part; the
  // reader's default where it has none.
  std::string voiceLanguage(const std::string& wanted) {
    const std::string tag = lowerCase(wanted);
    if (tag.empty()) return defaultLanguage;
    const std::string primary = tag.substr(0, tag.find('-'));
    std::lock_guard lock(mutex);
    if (languages.empty()) return primary;  // not known (yet): the synthesizer decides
    if (languages.count(tag) != 0) return tag;
    if (languages.count(primary) != 0) return primary;
    return defaultLanguage;
  }
};

namespace {

// libspeechd's events carry no context: every live port hears them and keeps its own.
std::mutex registryMutex;
std::vector<std::weak_ptr<SpeechDispatcher::Shared>> registry;

void onServerEvent(size_t messageId, size_t /*clientId*/, SPDNotificationType type) {
  if (type != SPD_EVENT_END && type != SPD_EVENT_CANCEL) return;
  const UtteranceEnd how = type == SPD_EVENT_END ? UtteranceEnd::Ended : UtteranceEnd::Cancelled;
  const long id = static_cast<long>(messageId);
  std::lock_guard lock(registryMutex);
  for (const auto& weak : registry) {
    if (auto shared = weak.lock()) {
      shared->post([id, how](SpeechDispatcher& port) { port.deliverServerEvent(id, how); });
    }
  }
}

SPDConnection* connect() {
  char* error = nullptr;
  SPDConnection* connection =
      spd_open2(kClientName, kConnectionName, nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
  std::free(error);
  if (connection == nullptr) return nullptr;
  connection->callback_end = onServerEvent;
  connection->callback_cancel = onServerEvent;
  spd_set_notification_on(connection, SPD_END);
  spd_set_notification_on(connection, SPD_CANCEL);
  return connection;
}

// The synthesizer's languages, learnt over a connection of their own: a synthesizer may have
// thousands of voices, and listing them takes seconds that reading must not wait for.
void learnLanguages(std::shared_ptr<SpeechDispatcher::Shared> shared) {
  char* error = nullptr;
  SPDConnection* connection =
      spd_open2(kClientName, "languages", nullptr, SPD_MODE_SINGLE, nullptr, 0, &error);
  std::free(error);
  if (connection == nullptr) return;
  std::set<std::string> languages;
  if (SPDVoice** voices = spd_list_synthesis_voices(connection)) {
    for (SPDVoice** voice = voices; *voice != nullptr; ++voice) {
      if ((*voice)->language == nullptr) continue;
      const std::string language = lowerCase((*voice)->language);
      languages.insert(language);
      languages.insert(language.substr(0, language.find('-')));
    }
    free_spd_voices(voices);
  }
  spd_close(connection);
  std::lock_guard lock(shared->mutex);
  shared->languages = std::move(languages);
}

void serve(std::shared_ptr<SpeechDispatcher::Shared> shared) {
  SPDConnection* connection = connect();
  const bool up = connection != nullptr;
  if (connection != nullptr) {
    if (char* language = spd_get_language(connection)) {
      shared->defaultLanguage = language;
      std::free(language);
    }
    std::thread(learnLanguages, shared).detach();
  }
  shared->post([up](SpeechDispatcher& port) { port.deliverConnected(up); });
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->wake.wait(lock, [&] { return shared->quit || !shared->jobs.empty(); });
    if (shared->quit) break;
    SpeechDispatcher::Shared::Job job = std::move(shared->jobs.front());
    shared->jobs.pop_front();
    lock.unlock();
    job(connection);
    lock.lock();
  }
  lock.unlock();
  if (connection != nullptr) {
    spd_cancel(connection);
    spd_close(connection);
  }
  lock.lock();
  shared->finished = true;
  shared->finishedWake.notify_all();
}

}  // namespace

SpeechDispatcher::SpeechDispatcher(QObject* parent)
    : QObject(parent), shared_(std::make_shared<Shared>()) {
  shared_->port = this;
  {
    std::lock_guard lock(registryMutex);
    registry.push_back(shared_);
  }
  std::thread(serve, shared_).detach();
  QTimer::singleShot(kConnectWaitMs, this, [this] {
    if (link_ != Link::Connecting) return;
    link_ = Link::Missing;
    failWaiting();
  });
}

// The thread is detached and told to close the connection; it is waited for a short while
// only, since a server that stopped answering would hold up the program's end.
SpeechDispatcher::~SpeechDispatcher() {
  {
    std::unique_lock lock(shared_->mutex);
    shared_->port = nullptr;
    shared_->quit = true;
    shared_->jobs.clear();
    shared_->wake.notify_one();
    shared_->finishedWake.wait_for(lock, kCloseWait, [this] { return shared_->finished; });
  }
  std::lock_guard lock(registryMutex);
  std::erase_if(registry, [this](const std::weak_ptr<Shared>& weak) {
    const auto shared = weak.lock();
    return !shared || shared == shared_;
  });
}

bool SpeechDispatcher::available() const {
  return link_ != Link::Missing;
}

int SpeechDispatcher::speak(const std::string& text, const std::string& language) {
  const int id = ++nextId_;
  if (link_ == Link::Missing) {
    QMetaObject::invokeMethod(
        this, [this, id] { notifyUtteranceEnd(id, UtteranceEnd::Unavailable); },
        Qt::QueuedConnection);
    return id;
  }
  waiting_[id] = true;
  Shared* shared = shared_.get();
  // A paused client's messages wait in the server until it resumes, also new ones.
  const bool resume = std::exchange(paused_, false);
  shared_->add([shared, id, text, language, rate = rate_, volume = volume_,
                resume](SPDConnection* connection) {
    long message = -1;
    if (connection != nullptr) {
      if (resume) spd_resume(connection);
      const std::string voice = shared->voiceLanguage(language);
      if (!voice.empty()) spd_set_language(connection, voice.c_str());
      spd_set_voice_rate(connection, rate);
      spd_set_volume(connection, volume);
      message = spd_say(connection, SPD_TEXT, text.c_str());
    }
    shared->post([id, message](SpeechDispatcher& port) { port.deliverQueued(id, message); });
  });
  return id;
}

void SpeechDispatcher::pause() {
  if (link_ == Link::Missing) return;
  paused_ = true;
  shared_->add([](SPDConnection* c) {
    if (c) spd_pause(c);
  });
}

void SpeechDispatcher::resume() {
  if (link_ == Link::Missing) return;
  paused_ = false;
  shared_->add([](SPDConnection* c) {
    if (c) spd_resume(c);
  });
}

void SpeechDispatcher::cancel() {
  if (link_ != Link::Missing)
    shared_->add([](SPDConnection* c) {
      if (c) spd_cancel(c);
    });
}

void SpeechDispatcher::setRate(int rate) {
  rate_ = std::clamp(rate, -100, 100);
}

void SpeechDispatcher::setVolume(int volume) {
  volume_ = std::clamp(volume, -100, 100);
}

void SpeechDispatcher::deliverConnected(bool up) {
  link_ = up ? Link::Up : Link::Missing;
}

void SpeechDispatcher::deliverQueued(int id, long message) {
  if (waiting_.erase(id) == 0) return;  // given up on already
  if (message < 0) {
    notifyUtteranceEnd(id, UtteranceEnd::Unavailable);
    return;
  }
  if (const auto early = early_.find(message); early != early_.end()) {
    const UtteranceEnd how = early->second;
    early_.erase(early);
    notifyUtteranceEnd(id, how);
    return;
  }
  utterances_[message] = id;
}

void SpeechDispatcher::deliverServerEvent(long message, UtteranceEnd how) {
  if (const auto found = utterances_.find(message); found != utterances_.end()) {
    const int id = found->second;
    utterances_.erase(found);
    notifyUtteranceEnd(id, how);
    return;
  }
  // Events of messages this port never sent (another port's) are kept as briefly.
  early_[message] = how;
  while (early_.size() > kMostEarlyEvents) early_.erase(early_.begin());
}

// The connection did not come up in time: what waits for it is not spoken.
void SpeechDispatcher::failWaiting() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->jobs.clear();
  }
  const std::map<int, bool> waiting = std::exchange(waiting_, {});
  for (const auto& entry : waiting) notifyUtteranceEnd(entry.first, UtteranceEnd::Unavailable);
}

}  // namespace orbis
