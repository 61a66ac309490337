#pragma once

#include <QObject>
#include <QString>

#include <memory>

// Plays a wave file once, asynchronously.  A path that names no playable
// file (for example "(None)") plays nothing; so does a build without Qt
// Multimedia.
class SoundPlayer : public QObject
{
    Q_OBJECT
public:
    explicit SoundPlayer(QObject *parent = nullptr);
    ~SoundPlayer() override;

    void play(const QString &path);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
