#include <cstdlib>
#include <cstring>

#include <cstdio>

#include "app/demo.h"
#include "effects/fx01.h"
#include "effects/fx03.h"
#include "effects/fx04.h"
#include "effects/fx05.h"
#include "effects/fx06.h"
#include "effects/fx07.h"
#include "effects/fxend.h"
#include "effects/fxgreets.h"
#include "effects/fxlayers.h"
#include "effects/fxobraz.h"
#include "effects/fxquill.h"
#include "effects/fxrewind.h"
#include "effects/fxvolu.h"
#include "effects/glow.h"
#include "effects/logo.h"
#include "effects/znaki.h"
#include "platform/fmod/fmod.h"
#include "scene/scene_textures.h"
#include "platform/win32/win32.h"
#include "support/ini_file.h"

HINSTANCE g_instance = nullptr;
float g_volume = 0.1f;
bool g_fullScreen = true;
HWND g_window = nullptr;
cCamera* g_camera = nullptr;
IDirect3DDevice8* g_device = nullptr;
fx* g_grid1 = nullptr;
fx* g_grid2 = nullptr;
fx* g_grid3 = nullptr;
CTextureRenderer* g_renderTarget = nullptr;
cScene* g_scene = nullptr;

// Records of type "ss" whose first field contains "volume" set the volume;
// the last one wins.
void ReadConfiguration()
{
    auto* ini = new cIniFile();
    ini->Open("demo.ini");
    while (ini->Next()) {
        if (ini->Matches("ss") && std::strstr(ini->strings[0], "volume") != nullptr) {
            // strtof: a number past a float's range becomes infinite (and is
            // refused by SetVolume) instead of an undefined narrowing.
            g_volume = std::strtof(ini->strings[1], nullptr);
        }
    }
    ini->Close();
    delete ini;
}

namespace {

constexpr WORD iconResource = 2109;

void LoadSharedTextures()
{
    const char* textures[][2] = {{"data\\rewind.jpg", "rewind"}, {"data\\black.jpg", "black"},
                                 {"data\\white.jpg", "white"},   {"data\\flara3.jpg", "flara3"},
                                 {"data\\tex0.jpg", "1"},        {"data\\tex1.jpg", "2"},
                                 {"data\\tex2.jpg", "3"},        {"data\\tex3.jpg", "4"},
                                 {"data\\tex4.jpg", "5"}};
    for (const auto& texture : textures) {
        g_render->LoadTexture(texture[0], texture[1]);
    }
}

// Every effect's one-time set-up, in the order that fixes which random
// numbers each one draws.
void InitEffects()
{
    fx01_Init();
    fx04_Init();
    fx03_Init();
    fx05_Init();
    fx06_Init();
    fx07_Init();
    fxend_Init();
    fxlayers_Init();
    fxquill_Init();
    fxrewind_InitChess();
    fxrewind_Init();
    fxgreets_Init();
    fxobraz_InitPictures();
    fxobraz_Init();
    fx06_InitSurface();
    fxquill_InitSurface();
    fxvolu_Init();
    glow_Init();
    znaki_Init();
    znaki2_Init();
}

} // namespace

int InitDemo(HINSTANCE instance, int showCommand)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(iconResource));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = "cRender";
    windowClass.lpszClassName = "cRender";
    RegisterClassA(&windowClass);

    g_window = CreateWindowExA(0, "cRender", "cRender", WS_OVERLAPPEDWINDOW, 192, 144, 645, 485, nullptr, nullptr,
                               instance, nullptr);
    if (g_window == nullptr) {
        return 0;
    }
    SetCursor(nullptr);
    ShowWindow(g_window, showCommand);
    UpdateWindow(g_window);
    SetFocus(g_window);
    g_windowActive = 1;

    g_camera = new cCamera(cVector(25.0f, -25.0f, -100.0f), cVector(0.0f, 0.0f, 0.0f));
    g_render = new cRender();
    if (!g_render->Init(g_window, 640, 480, g_fullScreen)) {
        return 0;
    }
    g_device = g_render->GetDevice();
    g_render->SetCamera(g_camera);
    // The logo draws once before the show starts; nothing is presented.
    logo_Init();
    logo_Render(0.0f);

    LoadSharedTextures();
    for (fx** grid : {&g_grid1, &g_grid2, &g_grid3}) {
        *grid = new fx();
        (*grid)->Init(g_render, 640, 480, 16);
    }
    g_renderTarget = new CTextureRenderer(g_device, 1, 256, 256, D3DFMT_A8R8G8B8, D3DFMT_D24S8);
    InitEffects();

    g_sceneTextures.Init(g_device, D3DFMT_A8R8G8B8);
    try {
        g_scene = new cScene();
        g_scene->SetDevice(g_device, 0);
        g_scene->Load("obj\\a.scene");
    } catch (const mu3d_CException& exception) {
        // The show cannot run without its scene; the log is usually off, so
        // say why on standard error before ending without a frame.
        std::fprintf(stderr, "rewind: cannot load the scene obj/a.scene (error %d)\n",
                     static_cast<int>(exception.code));
        return -1;
    }
    g_scene->zFar = 25000.0f;
    g_scene->zNear = 1.0f;

    g_sound = new SndFMOD(g_window);
    g_sound->Init();
    g_sound->Load("music.mp3", 1);
    g_sound->Play(1);
    g_sound->SetVolume(g_volume);

    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), TRUE);
    return 1;
}

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    g_instance = instance;
    ReadConfiguration();
    if (commandLine != nullptr && std::strstr(commandLine, "-win") != nullptr) {
        g_fullScreen = false;
    }
    if (InitDemo(instance, showCommand) != 1) {
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
