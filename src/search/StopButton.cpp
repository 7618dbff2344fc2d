#include "search/StopButton.h"

#include <QEvent>
#include <QPushButton>
#include <QTimer>

namespace {

class TreeFollower : public QObject {
public:
    TreeFollower(QPushButton& button, QWidget& tree) : QObject(&button), button_(button), tree_(tree) {
        tree.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &tree_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
            button_.setGeometry(tree_.geometry());
        return false;
    }

private:
    QPushButton& button_;
    QWidget& tree_;
};

// Captions may change hundreds of times a second; the button paints the
// latest one at most every 40 ms, so that painting never holds up a search
// that waits for each caption.
class CaptionPacer : public QObject {
public:
    explicit CaptionPacer(QPushButton& button) : QObject(&button), button_(button) {
        setObjectName(QString::fromLatin1(kName));
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { button_.setUpdatesEnabled(true); });
    }
    static CaptionPacer& of(QPushButton& button) {
        // Found by name: without its own meta-object, a cast cannot tell it apart.
        auto* pacer = button.findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly);
        return pacer ? *static_cast<CaptionPacer*>(pacer) : *new CaptionPacer(button);
    }
    void show(const QString& text) {
        button_.setText(text);
        if (timer_.isActive()) return;  // painted when the pause ends
        button_.setUpdatesEnabled(false);
        timer_.start(40);
    }
    void reset() {
        timer_.stop();
        button_.setUpdatesEnabled(true);
    }

private:
    static constexpr const char* kName = "captionPacer";
    QPushButton& button_;
    QTimer timer_;
};

}  // namespace

void StopButton::cover() const {
    CaptionPacer::of(button).reset();
    button.setGeometry(tree.geometry());
    button.raise();
    button.show();
    searching = true;
}

void StopButton::setCaption(const QString& text) const { CaptionPacer::of(button).show(text); }

void StopButton::hide() const {
    CaptionPacer::of(button).reset();
    button.hide();
    searching = false;
}

void KeepOverTree(QPushButton& button, QWidget& tree) { new TreeFollower(button, tree); }
