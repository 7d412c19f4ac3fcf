// zephyx_wayland_keys STEP...: presses keys on a Wayland compositor through its virtual keyboard
// protocol, for the end-to-end tests. The keymap sent is the standard evdev one (xkbcommon's
// defaults), so a program that reads scancodes sees the keys that were named.
//
// A STEP is down:KEY, up:KEY, key:KEY[+KEY...] (pressed in order, released in reverse) or
// sleep:MILLISECONDS; a KEY is an xkb keysym name (space, Return, Escape, Alt_L, F9...).
// Without arguments it reads steps from standard input, one a line, and answers each with a
// line "ok" or "bad" once the compositor has it: the keyboard stays, as a player's does (the
// compositor takes the focus away with the last keyboard).
// Exits 2 for a key no key of the keymap makes, 1 when the compositor has no virtual keyboard.
#define _GNU_SOURCE
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"

static struct wl_seat* gSeat;
static struct zwp_virtual_keyboard_manager_v1* gManager;
static struct zwp_virtual_keyboard_v1* gKeyboard;
static struct xkb_keymap* gKeymap;
static struct xkb_state* gState;

static void Announce(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && gSeat == NULL) {
        gSeat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    } else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        gManager = wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
    }
}

static void Withdraw(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener kRegistryListener = {Announce, Withdraw};

static uint32_t Milliseconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (uint32_t)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

// The keymap goes to the compositor as a file, with its terminating zero.
static int SendKeymap(void) {
    char* text = xkb_keymap_get_as_string(gKeymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    size_t size = strlen(text) + 1;
    int fd = memfd_create("keymap", MFD_CLOEXEC);
    int written = fd >= 0 && write(fd, text, size) == (ssize_t)size;
    free(text);
    if (!written) {
        return 0;
    }
    zwp_virtual_keyboard_v1_keymap(gKeyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, (uint32_t)size);
    close(fd);
    return 1;
}

// The keycode whose first level makes `name`, or 0.
static xkb_keycode_t KeycodeFor(const char* name) {
    xkb_keysym_t wanted = xkb_keysym_from_name(name, XKB_KEYSYM_NO_FLAGS);
    if (wanted == XKB_KEY_NoSymbol) {
        return 0;
    }
    for (xkb_keycode_t code = xkb_keymap_min_keycode(gKeymap);
         code <= xkb_keymap_max_keycode(gKeymap); ++code) {
        const xkb_keysym_t* syms;
        if (xkb_keymap_key_get_syms_by_level(gKeymap, code, 0, 0, &syms) == 1 &&
            syms[0] == wanted) {
            return code;
        }
    }
    return 0;
}

// The compositor takes the modifiers from the client, not from the keys.
static void SendKey(xkb_keycode_t code, int down) {
    zwp_virtual_keyboard_v1_key(
        gKeyboard, Milliseconds(), code - 8,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(gState, code, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(
        gKeyboard, xkb_state_serialize_mods(gState, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(gState, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(gState, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(gState, XKB_STATE_LAYOUT_EFFECTIVE));
}

// Presses (or releases) each key of "A+B+C" in order (or in reverse).
static int SendChord(char* keys, int down) {
    xkb_keycode_t codes[8];
    int count = 0;
    for (char* key = strtok(keys, "+"); key != NULL && count < 8; key = strtok(NULL, "+")) {
        codes[count] = KeycodeFor(key);
        if (codes[count++] == 0) {
            fprintf(stderr, "zephyx_wayland_keys: no key makes '%s'\n", key);
            return 0;
        }
    }
    for (int i = 0; i < count; ++i) {
        SendKey(codes[down ? i : count - 1 - i], down);
    }
    return 1;
}

static int RunStep(struct wl_display* display, const char* step) {
    char keys[128];
    snprintf(keys, sizeof keys, "%s", strchr(step, ':') != NULL ? strchr(step, ':') + 1 : "");
    int ok = 1;
    if (strncmp(step, "sleep:", 6) == 0) {
        usleep((useconds_t)atoi(keys) * 1000);
    } else if (strncmp(step, "down:", 5) == 0 || strncmp(step, "up:", 3) == 0) {
        ok = SendChord(keys, step[0] == 'd');
    } else if (strncmp(step, "key:", 4) == 0) {
        char again[128];
        memcpy(again, keys, sizeof again);
        ok = SendChord(keys, 1) && SendChord(again, 0);
    } else {
        fprintf(stderr, "zephyx_wayland_keys: unknown step '%s'\n", step);
        ok = 0;
    }
    wl_display_roundtrip(display);
    return ok;
}

int main(int argc, char** argv) {
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "zephyx_wayland_keys: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, NULL);
    wl_display_roundtrip(display);
    if (gSeat == NULL || gManager == NULL) {
        fprintf(stderr, "zephyx_wayland_keys: the compositor has no virtual keyboard\n");
        return 1;
    }
    struct xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    gKeymap = xkb_keymap_new_from_names(context, NULL, XKB_KEYMAP_COMPILE_NO_FLAGS);
    gState = gKeymap != NULL ? xkb_state_new(gKeymap) : NULL;
    gKeyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(gManager, gSeat);
    if (gState == NULL || !SendKeymap()) {
        fprintf(stderr, "zephyx_wayland_keys: no keymap\n");
        return 1;
    }
    // The compositor makes the keyboard its seat's own, and sends programs its keymap, on its
    // first event: a key in that event would reach a program before the keymap it needs.
    zwp_virtual_keyboard_v1_modifiers(gKeyboard, 0, 0, 0, 0);
    wl_display_roundtrip(display);
    usleep(100 * 1000);
    int status = 0;
    for (int i = 1; i < argc && status == 0; ++i) {
        status = RunStep(display, argv[i]) ? 0 : 2;
    }
    char line[160];
    while (argc == 1 && fgets(line, sizeof line, stdin) != NULL) {
        line[strcspn(line, "\n")] = '\0';
        printf("%s\n", RunStep(display, line) ? "ok" : "bad");
        fflush(stdout);
    }
    zwp_virtual_keyboard_v1_destroy(gKeyboard);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
