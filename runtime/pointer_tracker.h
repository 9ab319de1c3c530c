#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <cstdint>

class QWindow;

namespace runtime {

// Follows the pointer through the events of the program's own windows, for
// window systems that tell a program nothing else (Wayland): the cursor
// position is then the last one seen over one of our windows, and once the
// pointer has left them all, a point just outside the window it left, so
// that no control of ours still believes it is under the pointer.
//
// An entry into a window brings a position but no motion there; the tracker
// passes it on as a motion, as X11 reports it, so that the control under the
// pointer hears of it at once and not only when the pointer next moves.
//
// It leaves the pointer to the window system wherever that can answer.
class PointerTracker : public QObject {
  Q_OBJECT

 public:
  // Watches every window of the application from now on; the latest tracker
  // made is the one `Current` returns.
  PointerTracker();
  ~PointerTracker() override;
  PointerTracker(const PointerTracker&) = delete;
  PointerTracker& operator=(const PointerTracker&) = delete;

  // The running tracker, or null where none runs.
  static PointerTracker* Current();

  // Where the pointer is, in logical pixels on the screen, as far as the
  // program can know.
  [[nodiscard]] QPoint Position() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Seen(QWindow* window, QPoint global);
  void MoveAfterEntry(QWindow* window);

  QPointer<QWindow> mOver;  // the window the pointer is over, if one of ours
  QPoint mPosition;         // where it was seen last
  QRect mLastWindow;        // the place of the window it was seen over last
  bool mEverSeen = false;
  std::uint64_t mMotions = 0;  // pointer events seen, to tell a motion followed an entry
};

}  // namespace runtime
