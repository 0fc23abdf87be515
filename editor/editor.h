// The editor dialog: shows IRC.DAT's networks and takes the user's edits.
#pragma once

#include <windows.h>

extern int current_network;  // the record whose servers the dialog shows

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void show_network(HWND dialog, int network);
void store_form_fields(HWND dialog);
