#pragma once

#include "platform/message_box.h"
#include "platform/save_dialog.h"
#include "platform/sound_player.h"
#include "platform/url_opener.h"

#include <memory>

class QMediaPlayer;
class QAudioOutput;

class WidgetMessageBoxes : public MessageBoxes
{
public:
    MsgAnswer show(const QString &text, MsgIcon icon, MsgButtons buttons) override;
};

class WidgetSaveDialog : public SaveDialog
{
public:
    QString askSaveFileName(const QString &filter) override;
    QString askOpenFileName(const QString &filter) override;
    QString askDirectory() override;
};

class DesktopUrlOpener : public UrlOpener
{
public:
    void open(const QString &url) override;
};

// Qt Multimedia: asynchronous, at the given volume; a missing file is silently ignored.
class MediaSoundPlayer : public SoundPlayer
{
public:
    MediaSoundPlayer();
    ~MediaSoundPlayer() override;
    void play(const QString &path, int volume) override;

private:
    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_output;
};
