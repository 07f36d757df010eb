#include "gui/platform/widget_services.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QUrl>

MsgAnswer WidgetMessageBoxes::show(const QString &text, MsgIcon icon, MsgButtons buttons)
{
    QMessageBox box(icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::Information,
                    kMessageTitle, text, QMessageBox::NoButton, QApplication::activeWindow());
    // Texts can come from a server (an outlet page, an announcement): never taken as markup.
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

QString WidgetSaveDialog::askSaveFileName(const QString &filter)
{
    // Qt's own dialog asks before an existing file is replaced.
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), QString(), filter);
}

QString WidgetSaveDialog::askOpenFileName(const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), filter);
}

QString WidgetSaveDialog::askDirectory()
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow());
}

void DesktopUrlOpener::open(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

MediaSoundPlayer::MediaSoundPlayer() = default;
MediaSoundPlayer::~MediaSoundPlayer() = default;

void MediaSoundPlayer::play(const QString &path, int volume)
{
    if (!QFileInfo::exists(path))
        return;
    if (!m_player) {
        m_player = std::make_unique<QMediaPlayer>();
        m_output = std::make_unique<QAudioOutput>();
        m_player->setAudioOutput(m_output.get());
    }
    m_output->setVolume(volume / 100.0f);
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}
