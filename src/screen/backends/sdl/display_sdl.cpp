// The SDL2 window backend: presents the visible page and turns SDL events into keys and mouse states.
#include "screen/backends/sdl/display_sdl.h"

#include "screen/backends/sdl/sdl_system.h"
#include "screen/cp1251.h"
#include "screen/cp437.h"
#include "screen/window_icon.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string_view>

#include <SDL.h>

namespace {

constexpr int kDoubleW = 2 * kScreenW;
constexpr int kDoubleH = 2 * kScreenH;
// Room kept for the window manager's frame and title bar: a window manager squeezes a window
// that does not fit, and a squeezed double size would be blurred.
constexpr int kFrameRoomW = 16;
constexpr int kFrameRoomH = 48;
// Emscripten puts its own SDL 1 headers on every include path; this file needs SDL2's.
static_assert(SDL_MAJOR_VERSION == 2, "SDL.h must be SDL2's");
// Frames closer together than this are not worth showing.
constexpr std::uint64_t kFrameMs = 16;
// The game sees the buttons only when it polls, every 50 ms; a quicker click (a touchpad tap)
// is shown as held at least this long, and at least until one poll has seen it.
constexpr std::uint64_t kShortestPressMs = 60;
// In a browser the page scales the 640 x 480 canvas itself, so the canvas keeps its size and SDL
// maps the pointer through the page's scaling; every sleep returns to the browser, which gathers
// the events meanwhile.
const bool kBrowser = sdl_system::InBrowser();

std::string Extended(int scanCode) { return std::string("\xFF") + static_cast<char>(scanCode); }

// The PC scan code of a navigation or function key, or 0.
int PcScanCode(SDL_Scancode code) {
  switch (code) {
    case SDL_SCANCODE_UP: return 72;
    case SDL_SCANCODE_DOWN: return 80;
    case SDL_SCANCODE_LEFT: return 75;
    case SDL_SCANCODE_RIGHT: return 77;
    case SDL_SCANCODE_HOME: return 71;
    case SDL_SCANCODE_END: return 79;
    case SDL_SCANCODE_PAGEUP: return 73;
    case SDL_SCANCODE_PAGEDOWN: return 81;
    case SDL_SCANCODE_INSERT: return 82;
    case SDL_SCANCODE_DELETE: return 83;
    case SDL_SCANCODE_F12: return 134;
    default: break;
  }
  if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F10) return 59 + (code - SDL_SCANCODE_F1);
  return 0;
}

// The navigation key that a keypad key stands for when it types nothing (Num Lock off), or 0.
int KeypadScanCode(SDL_Scancode code) {
  switch (code) {
    case SDL_SCANCODE_KP_8: return 72;
    case SDL_SCANCODE_KP_2: return 80;
    case SDL_SCANCODE_KP_4: return 75;
    case SDL_SCANCODE_KP_6: return 77;
    case SDL_SCANCODE_KP_7: return 71;
    case SDL_SCANCODE_KP_1: return 79;
    case SDL_SCANCODE_KP_9: return 73;
    case SDL_SCANCODE_KP_3: return 81;
    case SDL_SCANCODE_KP_0: return 82;
    case SDL_SCANCODE_KP_PERIOD: return 83;
    default: return 0;
  }
}

// True when the key event just handled also typed text: the text event is queued right behind it.
bool TextFollows() {
  SDL_Event next;
  return SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_TEXTINPUT) == 1 && next.type == SDL_TEXTINPUT;
}

}  // namespace

void SdlDisplay::Waiting(const Wait& wait) {
  if (kBrowser) sdl_system::TellPage(PageJson(wait));
}

std::string SdlDisplay::SavedJournal() { return sdl_system::SavedJournal(); }

SdlDisplay::~SdlDisplay() { Close(); }

void SdlDisplay::SetTitle(const std::string& title) {
  Display::SetTitle(title);
  if (EnsureWindow()) SDL_SetWindowTitle(window_, Cp1251ToUtf8(title).c_str());
}

double SdlDisplay::Timer() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t whole = std::chrono::system_clock::to_time_t(now);
  const std::tm local = sdl_system::LocalTime(whole);
  const auto sinceEpoch = now.time_since_epoch();
  const double fraction =
      std::chrono::duration<double>(sinceEpoch - std::chrono::floor<std::chrono::seconds>(sinceEpoch)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

std::string SdlDisplay::ExeDir() {
  char* base = SDL_GetBasePath();
  if (base == nullptr) return "./";
  std::string dir = sdl_system::WithSlashes(base);  // UTF-8
  SDL_free(base);
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

void SdlDisplay::LetPlatformRun() { sdl_system::LetBrowserRun(); }

bool SdlDisplay::EnsureWindow() {
  if (window_ != nullptr) return true;
  if (closed_) return false;
  // A turn-based game in a window has no business switching off the desktop's compositor or
  // its screen saver.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // One 640 x 480 page presented only when it changes needs no GPU; a GL renderer without one
  // (Mesa's software GL) alone costs about 90 MB. The environment can still choose another.
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  sdl_system::QuietSystemErrors();
  // Loading the game and the steps of opening its window are long; in a browser each gets a task of its own.
  sdl_system::LetBrowserRun();
  // main is the program's own entry, not SDL's.
  SDL_SetMainReady();
  // Without a display SDL may take the console's screen (as root) or another device that nobody
  // sees, and the game would wait there for ever. SDL's own variable still chooses any driver.
  const std::string_view platform = SDL_GetPlatform();
  const bool desktopByEnvironment = platform == "Linux" || platform.ends_with("BSD");
  if (desktopByEnvironment && SDL_getenv("SDL_VIDEODRIVER") == nullptr && SDL_getenv("DISPLAY") == nullptr &&
      SDL_getenv("WAYLAND_DISPLAY") == nullptr) {
    std::fprintf(stderr,
                 "Quintrel - Skellarine needs a graphical desktop: neither DISPLAY nor WAYLAND_DISPLAY is set.\n");
    EndApplication(1);
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Cannot start SDL: %s\n", SDL_GetError());
    EndApplication(1);
  }
  sdl_system::LetBrowserRun();
  int width = kScreenW;
  int height = kScreenH;
  SDL_DisplayMode desktop;
  if (!kBrowser && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    int roomW = desktop.w;
    int roomH = desktop.h;
    // Panels and docks take their share of the desktop.
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
      roomW = std::min(roomW, usable.w);
      roomH = std::min(roomH, usable.h);
    }
    if (roomW >= kDoubleW + kFrameRoomW && roomH >= kDoubleH + kFrameRoomH) {
      width = kDoubleW;
      height = kDoubleH;
    }
  }
  window_ = SDL_CreateWindow(Cp1251ToUtf8(Title()).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             width, height, kBrowser ? 0 : SDL_WINDOW_RESIZABLE);
  if (window_ != nullptr) {
    // The picture that task bars and window switchers show, the same as the menu entry's.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(kWindowIcon), kWindowIconSize,
                                                           kWindowIconSize, 32, kWindowIconSize * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (icon != nullptr) {
      SDL_SetWindowIcon(window_, icon);
      SDL_FreeSurface(icon);
    }
    sdl_system::LetBrowserRun();
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
  }
  if (renderer_ != nullptr) {
    sdl_system::LetBrowserRun();
    SDL_RenderSetLogicalSize(renderer_, kScreenW, kScreenH);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kScreenW,
                                 kScreenH);
  }
  if (texture_ == nullptr) {
    std::fprintf(stderr, "Cannot open the window: %s\n", SDL_GetError());
    EndApplication(1);
  }
  // The alpha byte of a page means nothing on screen.
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  ChooseScaleMode();
  SDL_StartTextInput();
  shownPage_ = -1;
  pendingPresent_ = true;
  sdl_system::LetBrowserRun();
  return true;
}

void SdlDisplay::ChooseScaleMode() {
  int outW = 0;
  int outH = 0;
  if (SDL_GetRendererOutputSize(renderer_, &outW, &outH) != 0) return;
  const double scale = std::min(static_cast<double>(outW) / kScreenW, static_cast<double>(outH) / kScreenH);
  const bool whole = scale >= 1.0 && std::fabs(scale - std::round(scale)) < 1e-9;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, whole ? "nearest" : "linear");
  SDL_SetTextureScaleMode(texture_, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

void SdlDisplay::Pump() {
  if (!EnsureWindow()) return;
  DrainEvents();
  PresentIfDue(true);
}

void SdlDisplay::DrainEvents() {
  closeQueuedInBatch_ = false;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) HandleEvent(event);
}

void SdlDisplay::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      // A close button sends a window close and then this quit; one close key is enough.
      if (!closeQueuedInBatch_) QueueKey(kCloseKey);
      closeQueuedInBatch_ = true;
      break;
    case SDL_KEYDOWN:
      HandleKeyDown(event);
      break;
    case SDL_TEXTINPUT:
      HandleText(event.text.text);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT || event.button.button == SDL_BUTTON_RIGHT) {
        Press& press = presses_[event.button.button == SDL_BUTTON_LEFT ? 0 : 1];
        press.atMs = SDL_GetTicks64();
        press.unseen = true;
      }
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          if (!closeQueuedInBatch_) QueueKey(kCloseKey);
          closeQueuedInBatch_ = true;
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          ChooseScaleMode();
          pendingPresent_ = true;
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
          pendingPresent_ = true;
          break;
        default:
          break;
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
      pendingPresent_ = true;
      break;
    case SDL_RENDER_DEVICE_RESET:
      // The texture went with the device; make a new one and upload everything again.
      SDL_DestroyTexture(texture_);
      texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kScreenW,
                                   kScreenH);
      if (texture_ != nullptr) {
        SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
        ChooseScaleMode();
      }
      shownPage_ = -1;
      pendingPresent_ = true;
      break;
    default:
      break;
  }
}

void SdlDisplay::HandleKeyDown(const SDL_Event& event) {
  const SDL_Keysym& key = event.key.keysym;
  const bool enter = key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER;
  // Window toggles belong to the window, not to the game; a held key toggles once.
  if ((enter && (key.mod & KMOD_ALT) != 0) || key.scancode == SDL_SCANCODE_F11) {
    if (event.key.repeat == 0) ToggleFullscreen();
    return;
  }
  // These make no text events, so the key events are their only source.
  if (enter) {
    QueueKey("\r");
  } else if (key.scancode == SDL_SCANCODE_BACKSPACE) {
    QueueKey("\b");
  } else if (key.scancode == SDL_SCANCODE_ESCAPE) {
    QueueKey("\x1B");
  } else if (key.scancode == SDL_SCANCODE_TAB) {
    QueueKey("\t");
  } else if (const int pcCode = PcScanCode(key.scancode); pcCode != 0) {
    QueueKey(Extended(pcCode));
  } else if (const int padCode = KeypadScanCode(key.scancode); padCode != 0 && !TextFollows()) {
    // Num Lock is judged by the text the key made rather than by the modifier state, which can lag.
    QueueKey(Extended(padCode));
  }
}

void SdlDisplay::HandleText(const char* utf8) {
  const std::string_view text(utf8);
  std::size_t i = 0;
  while (i < text.size()) {
    const char32_t cp = cp1251::NextCodePoint(text, i);
    QueueKey(std::string(1, cp437::FromCodePoint(cp)));
  }
}

void SdlDisplay::ToggleFullscreen() {
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  ChooseScaleMode();
  pendingPresent_ = true;
}

void SdlDisplay::PresentIfDue(bool pageMayHaveChanged) {
  if (texture_ == nullptr) return;
  if (pageMayHaveChanged && !pendingPresent_) {
    pendingPresent_ = shownPage_ != Visible() || shownChanges_ != Changes(Visible());
  }
  if (!pendingPresent_) return;
  const std::uint64_t now = SDL_GetTicks64();
  if (lastPresentMs_ != 0 && now - lastPresentMs_ < kFrameMs) return;
  Present();
  lastPresentMs_ = std::max<std::uint64_t>(now, 1);
  pendingPresent_ = false;
}

void SdlDisplay::Present() {
  // Drawing a page and presenting it are each long enough in a browser to take a task of their own.
  sdl_system::LetBrowserRun();
  const Display& self = *this;
  const Image& page = self.Page(Visible());
  shownPage_ = Visible();
  shownChanges_ = Changes(shownPage_);
  SDL_UpdateTexture(texture_, nullptr, page.px.data(), kScreenW * static_cast<int>(sizeof(Pixel)));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

MouseState SdlDisplay::Mouse() {
  const std::uint64_t now = SDL_GetTicks64();
  bool shown[2] = {false, false};
  for (int i = 0; i < 2; ++i) {
    shown[i] = presses_[i].unseen || (presses_[i].atMs != 0 && now - presses_[i].atMs < kShortestPressMs);
    presses_[i].unseen = false;
  }
  if (window_ == nullptr || SDL_GetMouseFocus() != window_) return {};
  int windowX = 0;
  int windowY = 0;
  const Uint32 held = SDL_GetMouseState(&windowX, &windowY);
  float logicalX = 0;
  float logicalY = 0;
  SDL_RenderWindowToLogical(renderer_, windowX, windowY, &logicalX, &logicalY);
  const int x = static_cast<int>(std::floor(logicalX));
  const int y = static_cast<int>(std::floor(logicalY));
  // The letterbox bars are not part of the screen.
  if (x < 0 || y < 0 || x >= kScreenW || y >= kScreenH) return {};
  int buttons = 0;
  if ((held & SDL_BUTTON_LMASK) != 0 || shown[0]) buttons += 1;
  if ((held & SDL_BUTTON_RMASK) != 0 || shown[1]) buttons += 2;
  return {x, y, buttons};
}

void SdlDisplay::Sleep(int ms) {
  if (!EnsureWindow()) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
    return;
  }
  const std::uint64_t deadline = SDL_GetTicks64() + static_cast<std::uint64_t>(std::max(ms, 0));
  for (;;) {
    DrainEvents();
    // The pages cannot change while the game sleeps, so only a pending frame is shown.
    PresentIfDue(false);
    const std::uint64_t now = SDL_GetTicks64();
    if (now >= deadline) break;
    // Sleeps until an event arrives (left in the queue for the next drain), the deadline, or
    // the time to show a pending frame: the window answers at once and idles without waking.
    const std::uint64_t wait = std::min<std::uint64_t>(deadline - now, pendingPresent_ ? kFrameMs : deadline - now);
    if (kBrowser) {
      // SDL's wait polls every millisecond there; the browser gathers the events while it sleeps.
      SDL_Delay(static_cast<Uint32>(wait));
    } else {
      SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
    }
  }
}

void SdlDisplay::Close() {
  if (closed_) return;
  closed_ = true;
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  SDL_Quit();
}
