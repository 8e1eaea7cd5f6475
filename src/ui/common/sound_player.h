#pragma once
// Plays the two typing sounds without ever making typing wait: the sound
// goes to a separate player process. Silent when the system has no player
// program or no audio device.

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace kiv {

class SoundPlayer : public QObject {
  Q_OBJECT
 public:
  explicit SoundPlayer(QObject* parent = nullptr);
  void playKeyClickSound();
  void playEnterSound();
  bool available();
  // Number of sounds started (for tests).
  int started() const { return started_; }
  void setMuted(bool muted) { muted_ = muted; }

 private:
  void play(const QString& file);
  bool prepare();

  bool probed_ = false;
  bool ok_ = false;
  bool muted_ = false;
  int started_ = 0;
  QString player_;
  QStringList playerArgs_;
  std::unique_ptr<QTemporaryDir> dir_;
  QString click_, enter_;
};

}  // namespace kiv
