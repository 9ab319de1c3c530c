// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <optional>

class QWidget;
class QWindow;

namespace qt_frontend {

// Follows the pointer through the events of the program's own windows, so
// that asking where it is and which window lies under it costs no question
// to the window system whenever the program already knows the answer.
//
// Under Wayland a program hears of the pointer only through its own
// windows: the cursor position is then the last one seen over one of them,
// and once the pointer has left them all, a point just outside the window it
// left, so that no control of ours still believes it is under the pointer.
// An entry into a window brings a position but no motion there; the tracker
// passes it on as a motion, so that the control under the pointer hears of
// it at once and not only when the pointer next moves.
//
// Under X the server says which window holds the pointer (its crossing
// events, which come too when another program's window is mapped over ours
// or a program takes the pointer). While it says the pointer is in a
// window of ours, no button is held and a position in that window has
// reached us since, the position and the window are known; in every other
// case (another program's window, a grab, a button held, nothing seen yet)
// the X server is asked, as before.
class PointerTracker : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  enum class Source {
    kOwnWindows,      // only what reaches our windows (Wayland)
    kX11Crossings,    // our windows' events and the X server's crossings
  };

  // Watches every window of the application from now on; the latest tracker
  // made is the one `Current` returns.
  explicit PointerTracker(Source source);
  ~PointerTracker() override;
  PointerTracker(const PointerTracker&) = delete;
  PointerTracker& operator=(const PointerTracker&) = delete;

  // The running tracker, or null where none runs.
  static PointerTracker* Current();

  // Where the pointer is, in logical pixels on the screen, when the program
  // knows it without asking; under Wayland always, as far as it can know.
  [[nodiscard]] std::optional<QPoint> Position() const;

  // The top-level window of ours that lies under `point`, when `point` is
  // where the pointer is and the program knows that window without asking;
  // otherwise null, and only the window system can tell.
  [[nodiscard]] QWidget* WindowAt(QPoint point) const;

  // Where the pointer is: known, or else asked of the window system, at most
  // once while the program works without waiting (every key's poll in one
  // tick hears the same answer).
  QPoint CursorPosition();

  // The window of ours under `point` (a control or the window itself), or
  // null: known, or else asked of the window system, at most once for the
  // same point while the program works without waiting.
  QWidget* WidgetAt(QPoint point);

  // Takes the X server's crossing events; every event passes on to Qt.
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  [[nodiscard]] QPoint LastSeenOrOutside() const;
  [[nodiscard]] bool KnowsX11Pointer() const;
  void ForgetAnswers();
  void Seen(QWindow* window, QPoint global);
  void MoveAfterEntry(QWindow* window);

  Source mSource;
  QPointer<QWindow> mOver;  // the window the pointer is over, if one of ours (Wayland)
  QPoint mPosition;         // where it was seen last
  QRect mLastWindow;        // the place of the window it was seen over last
  bool mEverSeen = false;
  std::uint64_t mMotions = 0;  // pointer events seen, to tell a motion followed an entry

  // What the X server said last: the top-level window of ours that holds
  // the pointer, if any, and since when.
  QPointer<QWidget> mInside;
  std::uint32_t mInsideSince = 0;
  bool mSeenInside = false;  // a position in mInside has come since

  // The window system's latest answers, good until it reports anything or
  // the program waits for it.
  std::optional<QPoint> mAskedPosition;
  std::optional<QPoint> mAskedPoint;
  QPointer<QWidget> mAskedWindow;
  bool mAskedHadWindow = false;
};

}  // namespace qt_frontend
