// The page around the program (shell.html, web_page.js), as the backend sees it.
#pragma once

extern "C" {
// Gives the page the window's caption and the picture's size, and keyboard focus to the
// canvas. False when the page has no canvas to draw on.
int zephyx_page_open(const char* caption, int width, int height);
// Shows a message with an OK button over the canvas; open until the player dismisses it.
void zephyx_page_message_box(const char* text, const char* caption);
int zephyx_page_message_box_open();
void zephyx_page_show_cursor(int shown);
// The program has ended with `exitCode`: the page says so and offers to start it again.
void zephyx_page_ended(int exitCode);
}
