#include "ui/common/sound_player.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "core/sound/typing_sounds.h"

namespace kiv {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

bool SoundPlayer::prepare() {
  if (probed_) return ok_;
  probed_ = true;
  const bool hasDevice = QFileInfo::exists(QStringLiteral("/dev/snd")) ||
                         !qEnvironmentVariableIsEmpty("PULSE_SERVER") ||
                         QFileInfo::exists(QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath("pulse/native")) ||
                         QFileInfo::exists(QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath("pipewire-0"));
  if (!hasDevice) return false;
  struct Candidate {
    const char* program;
    QStringList args;
  };
  const Candidate candidates[] = {{"pw-play", {}}, {"paplay", {}}, {"aplay", {QStringLiteral("-q")}}};
  for (const auto& c : candidates) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(c.program));
    if (!path.isEmpty()) {
      player_ = path;
      playerArgs_ = c.args;
      break;
    }
  }
  if (player_.isEmpty()) return false;
  dir_ = std::make_unique<QTemporaryDir>();
  if (!dir_->isValid()) return false;
  auto write = [&](const QString& name, const std::string& bytes) {
    QFile f(dir_->filePath(name));
    if (!f.open(QIODevice::WriteOnly)) return QString();
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return f.fileName();
  };
  click_ = write(QStringLiteral("click.wav"), keyClickWave());
  enter_ = write(QStringLiteral("enter.wav"), enterWave());
  ok_ = !click_.isEmpty() && !enter_.isEmpty();
  return ok_;
}

bool SoundPlayer::available() { return prepare(); }

void SoundPlayer::play(const QString& file) {
  if (muted_ || !prepare()) return;
  ++started_;
  QProcess::startDetached(player_, playerArgs_ + QStringList{file});
}

void SoundPlayer::playKeyClickSound() { play(click_); }
void SoundPlayer::playEnterSound() { play(enter_); }

}  // namespace kiv
