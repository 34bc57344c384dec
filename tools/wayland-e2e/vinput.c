/* Virtual input devices for the Wayland end-to-end test: a keyboard that
 * uploads the standard evdev/pc105/us keymap (so raw key codes mean what a
 * real keyboard's do) and a pointer. Reads a list of steps:
 *
 *   vinput STEP...
 *     key K        press and release K: an evdev code (35) or a letter (h)
 *     screen W H   the size of the output, for `at`
 *     at X Y       move the pointer to (X, Y) on the output
 *     by DX DY     move the pointer by (DX, DY)
 *     press        press the left button; release lets it go
 *     wait MS      pause
 *
 * Each device is made on its first step, on the compositor's first seat.
 * The requests of the two unstable protocols that are used are described
 * here by hand, so no protocol file is needed. */
#define _GNU_SOURCE
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

static const struct wl_interface keyboard_interface;
static const struct wl_interface pointer_interface;
static const struct wl_interface *keyboard_create_types[] = {&wl_seat_interface,
                                                             &keyboard_interface};
static const struct wl_interface *pointer_create_types[] = {&wl_seat_interface, &pointer_interface};
static const struct wl_interface *no_types[] = {NULL, NULL, NULL, NULL, NULL};

/* zwp_virtual_keyboard_manager_v1 and zwp_virtual_keyboard_v1 */
static const struct wl_message keyboard_manager_requests[] = {
    {"create_virtual_keyboard", "on", keyboard_create_types}};
static const struct wl_message keyboard_requests[] = {{"keymap", "uhu", no_types},
                                                      {"key", "uuu", no_types},
                                                      {"modifiers", "uuuu", no_types},
                                                      {"destroy", "", no_types}};
static const struct wl_interface keyboard_interface = {"zwp_virtual_keyboard_v1", 1, 4,
                                                       keyboard_requests,         0, NULL};
static const struct wl_interface keyboard_manager_interface = {
    "zwp_virtual_keyboard_manager_v1", 1, 1, keyboard_manager_requests, 0, NULL};
enum { KEYBOARD_KEYMAP = 0, KEYBOARD_KEY = 1, KEYBOARD_DESTROY = 3 };

/* zwlr_virtual_pointer_manager_v1 and zwlr_virtual_pointer_v1 */
static const struct wl_message pointer_manager_requests[] = {
    {"create_virtual_pointer", "?on", pointer_create_types}, {"destroy", "", no_types}};
static const struct wl_message pointer_requests[] = {
    {"motion", "uff", no_types},   {"motion_absolute", "uuuuu", no_types},
    {"button", "uuu", no_types},   {"axis", "uuf", no_types},
    {"frame", "", no_types},       {"axis_source", "u", no_types},
    {"axis_stop", "uu", no_types}, {"axis_discrete", "uufi", no_types},
    {"destroy", "", no_types}};
static const struct wl_interface pointer_interface = {"zwlr_virtual_pointer_v1", 1, 9,
                                                      pointer_requests,          0, NULL};
static const struct wl_interface pointer_manager_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, pointer_manager_requests, 0, NULL};
enum {
  POINTER_MOTION = 0,
  POINTER_MOTION_ABSOLUTE = 1,
  POINTER_BUTTON = 2,
  POINTER_FRAME = 4,
  POINTER_DESTROY = 8
};
enum { BTN_LEFT = 0x110 };

static struct wl_display *display;
static struct wl_seat *seat;
static struct wl_proxy *keyboard_manager, *pointer_manager;
static struct wl_proxy *keyboard, *pointer;
static int keymap_fd = -1;
static uint32_t screen_w = 1920, screen_h = 1080;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *iface,
                   uint32_t version) {
  (void)data;
  (void)version;
  if (!seat && strcmp(iface, "wl_seat") == 0)
    seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
  else if (strcmp(iface, keyboard_manager_interface.name) == 0)
    keyboard_manager = wl_registry_bind(registry, name, &keyboard_manager_interface, 1);
  else if (strcmp(iface, pointer_manager_interface.name) == 0)
    pointer_manager = wl_registry_bind(registry, name, &pointer_manager_interface, 1);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name) {
  (void)data;
  (void)registry;
  (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static void die(const char *what) {
  fprintf(stderr, "vinput: %s\n", what);
  exit(2);
}

static uint32_t now_ms(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

/* Sends what is queued and gives the clients a moment to take it. */
static void settle(int ms) {
  wl_display_roundtrip(display);
  usleep(ms * 1000);
}

static void make_keyboard(void) {
  if (!keyboard_manager)
    die("the compositor offers no virtual keyboards");
  keyboard = wl_proxy_marshal_flags(keyboard_manager, 0, &keyboard_interface, 1, 0, seat, NULL);
  struct xkb_context *ctx = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  struct xkb_rule_names names = {"evdev", "pc105", "us", "", ""};
  struct xkb_keymap *keymap = ctx ? xkb_keymap_new_from_names(ctx, &names, 0) : NULL;
  char *text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : NULL;
  if (!text)
    die("cannot build the evdev/pc105/us keymap");
  const size_t size = strlen(text) + 1;
  keymap_fd = memfd_create("vinput-keymap", MFD_CLOEXEC);
  if (keymap_fd < 0 || write(keymap_fd, text, size) != (ssize_t)size)
    die("cannot write the keymap");
  wl_proxy_marshal_flags(keyboard, KEYBOARD_KEYMAP, NULL, 1, 0, (uint32_t)XKB_KEYMAP_FORMAT_TEXT_V1,
                         keymap_fd, (uint32_t)size);
  free(text);
  xkb_keymap_unref(keymap);
  xkb_context_unref(ctx);
  settle(200); /* the client binds its keyboard and takes the keymap */
}

static void make_pointer(void) {
  if (!pointer_manager)
    die("the compositor offers no virtual pointers");
  pointer = wl_proxy_marshal_flags(pointer_manager, 0, &pointer_interface, 1, 0, seat, NULL);
  settle(200); /* the client binds its pointer */
}

static void pointer_step(uint32_t opcode, uint32_t a, uint32_t b) {
  if (!pointer)
    make_pointer();
  const uint32_t t = now_ms();
  if (opcode == POINTER_MOTION)
    wl_proxy_marshal_flags(pointer, opcode, NULL, 1, 0, t, wl_fixed_from_int((int)a),
                           wl_fixed_from_int((int)b));
  else if (opcode == POINTER_MOTION_ABSOLUTE)
    wl_proxy_marshal_flags(pointer, opcode, NULL, 1, 0, t, a, b, screen_w, screen_h);
  else
    wl_proxy_marshal_flags(pointer, opcode, NULL, 1, 0, t, a, b);
  wl_proxy_marshal_flags(pointer, POINTER_FRAME, NULL, 1, 0);
  settle(50);
}

/* evdev codes of the letters a..z on a US keyboard. */
static const int letter_codes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                     49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

static void key_step(const char *arg) {
  long code = -1;
  if (strlen(arg) == 1 && islower((unsigned char)arg[0])) {
    code = letter_codes[arg[0] - 'a'];
  } else {
    char *end = NULL;
    code = strtol(arg, &end, 10);
    if (!*arg || *end || code <= 0 || code >= 248)
      die("not a key");
  }
  if (!keyboard)
    make_keyboard();
  for (uint32_t state = 2; state-- > 0;) { /* 1 pressed, then 0 released */
    wl_proxy_marshal_flags(keyboard, KEYBOARD_KEY, NULL, 1, 0, now_ms(), (uint32_t)code, state);
    settle(60);
  }
}

static long number(int argc, char **argv, int i) {
  if (i >= argc)
    die("a step lacks its number");
  return strtol(argv[i], NULL, 10);
}

int main(int argc, char **argv) {
  display = wl_display_connect(NULL);
  if (!display)
    die("no Wayland display");
  struct wl_registry *registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (!seat)
    die("the compositor offers no seat");

  for (int i = 1; i < argc; ++i) {
    const char *step = argv[i];
    if (strcmp(step, "key") == 0 && i + 1 < argc) {
      key_step(argv[++i]);
    } else if (strcmp(step, "screen") == 0) {
      screen_w = (uint32_t)number(argc, argv, ++i);
      screen_h = (uint32_t)number(argc, argv, ++i);
    } else if (strcmp(step, "at") == 0) {
      uint32_t x = (uint32_t)number(argc, argv, ++i);
      pointer_step(POINTER_MOTION_ABSOLUTE, x, (uint32_t)number(argc, argv, ++i));
    } else if (strcmp(step, "by") == 0) {
      uint32_t dx = (uint32_t)number(argc, argv, ++i);
      pointer_step(POINTER_MOTION, dx, (uint32_t)number(argc, argv, ++i));
    } else if (strcmp(step, "press") == 0 || strcmp(step, "release") == 0) {
      pointer_step(POINTER_BUTTON, BTN_LEFT, step[0] == 'p' ? 1 : 0);
    } else if (strcmp(step, "wait") == 0) {
      settle((int)number(argc, argv, ++i));
    } else {
      fprintf(stderr, "vinput: unknown step %s\n", step);
      return 2;
    }
  }
  if (keyboard)
    wl_proxy_marshal_flags(keyboard, KEYBOARD_DESTROY, NULL, 1, WL_MARSHAL_FLAG_DESTROY);
  if (pointer)
    wl_proxy_marshal_flags(pointer, POINTER_DESTROY, NULL, 1, WL_MARSHAL_FLAG_DESTROY);
  wl_display_roundtrip(display);
  if (keymap_fd >= 0)
    close(keymap_fd);
  wl_display_disconnect(display);
  return 0;
}
