#pragma once
// Small tools for driving the real host in tests.
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/qt/qtruntime.h"

namespace uitest {

// The real runtime with its program folder in a temporary place, so the
// settings and notes files of a test never meet those of another.
class FolderRuntime : public vb::QtRuntime {
public:
    std::string AppPath() override { return dir.path().toStdString(); }
    QTemporaryDir dir;
};

// Acts on the next modal box as soon as it is open (from inside its loop).
inline void WhenModalOpens(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start();
}

// Collects the regions a widget is asked to repaint.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

// Writes a picture into a temporary folder and answers its path.
inline QString WritePicture(const QTemporaryDir& dir, const QString& name, const QImage& image) {
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

} // namespace uitest
