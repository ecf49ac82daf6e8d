#pragma once

#include "core/canvas/window_host.h"
#include "core/foundation/point.h"
#include "editor_support/pindle_api.h"

class QPainter;

// The base of an interactive drawing area: it receives the events of a tool view (set-up and
// tear-down, painting, keys, mouse buttons and moves, a timer tick, zoom). Every handler does
// nothing here, so a derived workspace overrides only what it needs. Set it up with InitEnv on its
// window, feed it events while the window lives, and tear it down with DeInit.
class PINDLE_API UWorkSpace {
 public:
  UWorkSpace() = default;
  UWorkSpace(const UWorkSpace&) = default;
  UWorkSpace& operator=(const UWorkSpace&) = default;
  virtual ~UWorkSpace();

  virtual void InitEnv(HWND window);
  virtual void DeInit();
  // Paints onto `dc`, which stays owned by the caller.
  virtual void Render(QPainter* dc);

  // The key's character code, its repeat count and the keyboard message's flags.
  virtual void OnKeyDown(unsigned int character, unsigned int repeatCount, unsigned int flags);
  // The mouse handlers take the message's key-state flags and the cursor in client coordinates.
  virtual void OnLBDown(unsigned int flags, UPoint point);
  virtual void OnLBUp(unsigned int flags, UPoint point);
  virtual void OnMBDown(unsigned int flags, UPoint point);
  virtual void OnMBUp(unsigned int flags, UPoint point);
  virtual void OnMouseMove(unsigned int flags, UPoint point);
  virtual void OnRBDown(unsigned int flags, UPoint point);

  virtual void OnTimer();
  virtual void ZoomIn();
  virtual void ZoomOut();

 protected:
  // Free for a derived workspace to keep its window and drawing context in; the base class
  // neither sets nor reads them beyond starting them as null.
  HWND m_hWnd = nullptr;
  QPainter* m_pDC = nullptr;
};
