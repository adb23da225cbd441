#pragma once
// The shell's process-wide state: what start-up creates and the timeline,
// the fades, shutdown and the effects share. Every long-lived object is made
// with new at start-up and kept here (the renderer in g_render, the music
// player in g_sound).

#include "platform/d3d8/d3d8.h"
#include "platform/win32/types.h"
#include "render/camera.h"
#include "render/grid.h"
#include "render/render.h"
#include "render/texture_renderer.h"
#include "scene/scene.h"
#include "sound/snd_fmod.h"

extern HINSTANCE g_instance;
extern float g_volume;
extern bool g_fullScreen;
extern HWND g_window;

extern cCamera* g_camera;
extern IDirect3DDevice8* g_device;
extern fx* g_grid1; // fxobraz
extern fx* g_grid2; // fx05
extern fx* g_grid3; // fx01, fx04, fx05, fx06, fxend
extern CTextureRenderer* g_renderTarget;
extern cScene* g_scene;

// Sets g_volume from demo.ini in the current directory, when it says so.
void ReadConfiguration();
int InitDemo(HINSTANCE instance, int showCommand);
LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
