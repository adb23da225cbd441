// The descriptions ReportDXError logs, one row per result code, grouped by the
// component that returns the code. The comment beside a row names the public
// constant. Some components share generic COM codes (E_INVALIDARG, E_FAIL, ...);
// each of those is listed once, under COM.

#include "support/dx_error.h"

namespace {

constexpr DXErrorText dxErrorTexts[] = {
    // Generic COM results.
    {0x8000000A, {" COM_ERROR : The data needed to complete the operation is not available yet.\n"}},  // E_PENDING
    {0x80004001, {" COM_ERROR : Not implemented.\n"}},  // E_NOTIMPL
    {0x80004002, {" COM_ERROR : The object does not support the requested interface.\n"}},  // E_NOINTERFACE
    {0x80004003, {" COM_ERROR : An invalid pointer was passed.\n"}},  // E_POINTER
    {0x80004004, {" COM_ERROR : The operation was aborted.\n"}},  // E_ABORT
    {0x80004005, {" COM_ERROR : The operation failed; no more detailed reason is available.\n"}},  // E_FAIL
    {0x8000FFFF, {" COM_ERROR : An unexpected, catastrophic failure occurred.\n"}},  // E_UNEXPECTED
    {0x80070005, {" COM_ERROR : Access was denied.\n"}},  // E_ACCESSDENIED
    {0x80070006, {" COM_ERROR : An invalid handle was passed.\n"}},  // E_HANDLE
    {0x8007000E, {" COM_ERROR : Ran out of memory.\n"}},  // E_OUTOFMEMORY
    {0x80070057, {" COM_ERROR : One or more arguments are invalid.\n"}},  // E_INVALIDARG

    // DirectInput, success codes first.
    {0x00000001, {"DERROR(dinput): The device buffer overflowed and some input was lost.\n This value is equal to the S_FALSE standard COM return value\n"}},  // DI_BUFFEROVERFLOW
    {0x00000002, {"DERROR(dinput): The device must be polled; its data and event notifications are only refreshed when Poll is called.\n"}},  // DI_POLLEDDEVICE
    {0x00000003, {"DERROR(dinput): The effect parameters were updated, but the effect was not downloaded because the device is not acquired exclusively.\n"}},  // DI_DOWNLOADSKIPPED
    {0x00000004, {"DERROR(dinput): The effect was stopped, its parameters were updated and it was started again.\n"}},  // DI_EFFECTRESTARTED
    {0x00000008, {"DERROR(dinput): The effect parameters were updated, but some exceeded the device's capabilities and were truncated.\n"}},  // DI_TRUNCATED
    {0x0000000C, {"DERROR(dinput): The effect parameters were truncated to the device's capabilities and the effect was restarted.\n"}},  // DI_TRUNCATEDANDRESTARTED
    {0x80040110, {"DERROR(dinput): The object does not support COM aggregation.\n"}},  // DIERR_NOAGGREGATION
    {0x80040154, {"DERROR(dinput): DirectInput has no registration for this device or device instance.\n"}},  // DIERR_DEVICENOTREG
    {0x80040201, {"DERROR(dinput): The device has no room left for another effect.\n"}},  // DIERR_DEVICEFULL
    {0x80040202, {"DERROR(dinput): Not all the data fit into the buffer supplied.\n"}},  // DIERR_MOREDATA
    {0x80040203, {"DERROR(dinput): The effect has not been downloaded to the device.\n"}},  // DIERR_NOTDOWNLOADED
    {0x80040204, {"DERROR(dinput): The device cannot be reinitialized while effects are still attached to it.\n"}},  // DIERR_HASEFFECTS
    {0x80040205, {"DERROR(dinput): The operation needs the device to be acquired in exclusive mode.\n"}},  // DIERR_NOTEXCLUSIVEACQUIRED
    {0x80040206, {"DERROR(dinput): The effect cannot be downloaded because some of its parameters are missing.\n"}},  // DIERR_INCOMPLETEEFFECT
    {0x80040207, {"DERROR(dinput): The device is not buffered; set a buffer size before reading buffered data.\n"}},  // DIERR_NOTBUFFERED
    {0x80040208, {"DERROR(dinput): The parameters cannot be changed while the effect is playing.\n"}},  // DIERR_EFFECTPLAYING
    {0x80040209, {"DERROR(dinput): The device has been unplugged.\n"}},  // DIERR_UNPLUGGED
    {0x8004020A, {"DERROR(dinput): No more items fit into the device's report.\n"}},  // DIERR_REPORTFULL
    {0x80070002, {"DERROR(dinput): The requested object or device does not exist.\n"}},  // DIERR_NOTFOUND, DIERR_OBJECTNOTFOUND
    {0x8007000C, {"DERROR(dinput): The operation needs the device to be acquired first.\n"}},  // DIERR_NOTACQUIRED
    {0x80070015, {"DERROR(dinput): The object has not been initialized yet.\n"}},  // DIERR_NOTINITIALIZED
    {0x8007001E, {"DERROR(dinput): Access to the input device was lost; it must be acquired again.\n"}},  // DIERR_INPUTLOST
    {0x80070077, {"DERROR(dinput): The driver is of an incompatible version, or its components are mismatched or incomplete.\n"}},  // DIERR_BADDRIVERVER
    {0x800700AA, {"DERROR(dinput): The operation is not allowed while the device is acquired.\n"}},  // DIERR_ACQUIRED
    {0x8007047E, {"DERROR(dinput): The application needs a newer version of DirectInput.\n"}},  // DIERR_OLDDIRECTINPUTVERSION
    {0x80070481, {"DERROR(dinput): The application was written for an unsupported pre-release version of DirectInput.\n"}},  // DIERR_BETADIRECTINPUTVERSION
    {0x800704DF, {"DERROR(dinput): The object has already been initialized.\n"}},  // DIERR_ALREADYINITIALIZED

    // DirectDraw.
    {0x800401F0, {"DERROR(ddraw): A method was called on a DirectDraw object that was created through CoCreateInstance but never initialized.\n"}},  // DDERR_NOTINITIALIZED
    {0x88760005, {"DERROR(ddraw): The object has already been initialized.\n"}},  // DDERR_ALREADYINITIALIZED
    {0x8876000A, {"DERROR(ddraw): This surface cannot be attached to the requested surface.\n"}},  // DDERR_CANNOTATTACHSURFACE
    {0x88760014, {"DERROR(ddraw): This surface cannot be detached from the requested surface.\n"}},  // DDERR_CANNOTDETACHSURFACE
    {0x88760028, {"DERROR(ddraw): The requested support is not available at the moment.\n"}},  // DDERR_CURRENTLYNOTAVAIL
    {0x88760037, {"DERROR(ddraw): An exception occurred while the request was being carried out.\n"}},  // DDERR_EXCEPTION
    {0x8876005A, {"DERROR(ddraw): The height of the rectangle is not a multiple of the required alignment.\n"}},  // DDERR_HEIGHTALIGN
    {0x8876005F, {"DERROR(ddraw): The requested primary surface does not match the existing primary surface.\n"}},  // DDERR_INCOMPATIBLEPRIMARY
    {0x88760064, {"DERROR(ddraw): One or more of the capability bits passed are invalid.\n"}},  // DDERR_INVALIDCAPS
    {0x8876006E, {"DERROR(ddraw): The clip list passed is not supported.\n"}},  // DDERR_INVALIDCLIPLIST
    {0x88760078, {"DERROR(ddraw): The requested display mode is not supported.\n"}},  // DDERR_INVALIDMODE
    {0x88760082, {"DERROR(ddraw): A pointer that is not a valid DirectDraw object was passed.\n"}},  // DDERR_INVALIDOBJECT
    {0x88760091, {"DERROR(ddraw): The pixel format given is invalid.\n"}},  // DDERR_INVALIDPIXELFORMAT
    {0x88760096, {"DERROR(ddraw): The rectangle given is invalid.\n"}},  // DDERR_INVALIDRECT
    {0x887600A0, {"DERROR(ddraw): The operation cannot be done while one or more surfaces are locked.\n"}},  // DDERR_LOCKEDSURFACES
    {0x887600AA, {"DERROR(ddraw): No 3D hardware or emulation is present.\n"}},  // DDERR_NO3D
    {0x887600B4, {"DERROR(ddraw): No alpha blending hardware is present.\n"}},  // DDERR_NOALPHAHW
    {0x887600B5, {"DERROR(ddraw): No stereo hardware is present.\n"}},  // DDERR_NOSTEREOHARDWARE
    {0x887600B6, {"DERROR(ddraw): No hardware that can hold a stereo surface is present.\n"}},  // DDERR_NOSURFACELEFT
    {0x887600CD, {"DERROR(ddraw): No clip list is available.\n"}},  // DDERR_NOCLIPLIST
    {0x887600D2, {"DERROR(ddraw): No color conversion hardware is present.\n"}},  // DDERR_NOCOLORCONVHW
    {0x887600D4, {"DERROR(ddraw): A surface or palette was created before the cooperative level was set.\n"}},  // DDERR_NOCOOPERATIVELEVELSET
    {0x887600D7, {"DERROR(ddraw): The surface has no color key.\n"}},  // DDERR_NOCOLORKEY
    {0x887600DC, {"DERROR(ddraw): There is no hardware support for the destination color key.\n"}},  // DDERR_NOCOLORKEYHW
    {0x887600DE, {"DERROR(ddraw): The current display driver does not support DirectDraw.\n"}},  // DDERR_NODIRECTDRAWSUPPORT
    {0x887600E1, {"DERROR(ddraw): The operation needs exclusive mode, which the application does not hold.\n"}},  // DDERR_NOEXCLUSIVEMODE
    {0x887600E6, {"DERROR(ddraw): The hardware cannot flip visible surfaces.\n"}},  // DDERR_NOFLIPHW
    {0x887600F0, {"DERROR(ddraw): GDI is not present.\n"}},  // DDERR_NOGDI
    {0x887600FA, {"DERROR(ddraw): No mirroring hardware is present.\n"}},  // DDERR_NOMIRRORHW
    {0x887600FF, {"DERROR(ddraw): The requested item was not found.\n"}},  // DDERR_NOTFOUND
    {0x88760104, {"DERROR(ddraw): No overlay hardware is present.\n"}},  // DDERR_NOOVERLAYHW
    {0x8876010E, {"DERROR(ddraw): The source and destination rectangles overlap on the same surface.\n"}},  // DDERR_OVERLAPPINGRECTS
    {0x88760118, {"DERROR(ddraw): No raster operation hardware is present.\n"}},  // DDERR_NORASTEROPHW
    {0x88760122, {"DERROR(ddraw): No rotation hardware is present.\n"}},  // DDERR_NOROTATIONHW
    {0x88760136, {"DERROR(ddraw): The hardware cannot stretch.\n"}},  // DDERR_NOSTRETCHHW
    {0x8876013C, {"DERROR(ddraw): The operation needs a surface with a 4-bit color palette.\n"}},  // DDERR_NOT4BITCOLOR
    {0x8876013D, {"DERROR(ddraw): The operation needs a surface with a 4-bit palette of color indices.\n"}},  // DDERR_NOT4BITCOLORINDEX
    {0x88760140, {"DERROR(ddraw): The operation needs a surface with an 8-bit color palette.\n"}},  // DDERR_NOT8BITCOLOR
    {0x8876014A, {"DERROR(ddraw): No texture mapping hardware is present.\n"}},  // DDERR_NOTEXTUREHW
    {0x8876014F, {"DERROR(ddraw): The hardware cannot synchronize with the vertical blank.\n"}},  // DDERR_NOVSYNCHW
    {0x88760154, {"DERROR(ddraw): The hardware has no support for depth buffers.\n"}},  // DDERR_NOZBUFFERHW
    {0x8876015E, {"DERROR(ddraw): The hardware cannot order overlays in depth.\n"}},  // DDERR_NOZOVERLAYHW
    {0x88760168, {"DERROR(ddraw): The hardware the operation needs is already allocated.\n"}},  // DDERR_OUTOFCAPS
    {0x8876017C, {"DERROR(ddraw): Out of video memory\n"}},  // DDERR_OUTOFVIDEOMEMORY
    {0x8876017E, {"DERROR(ddraw): The hardware cannot clip overlays.\n"}},  // DDERR_OVERLAYCANTCLIP
    {0x88760180, {"DERROR(ddraw): Only one color key can be active on an overlay at a time.\n"}},  // DDERR_OVERLAYCOLORKEYONLYONEACTIVE
    {0x88760183, {"DERROR(ddraw): The palette is locked by another thread.\n"}},  // DDERR_PALETTEBUSY
    {0x88760190, {"DERROR(ddraw): No source color key has been set.\n"}},  // DDERR_COLORKEYNOTSET
    {0x8876019A, {"DERROR(ddraw): The surface is already attached to the surface it is being attached to.\n"}},  // DDERR_SURFACEALREADYATTACHED
    {0x887601A4, {"DERROR(ddraw): The surface already depends on the surface it is being made dependent on.\n"}},  // DDERR_SURFACEALREADYDEPENDENT
    {0x887601AE, {"DERROR(ddraw): The surface is locked by another thread.\n"}},  // DDERR_SURFACEBUSY
    {0x887601B3, {"DERROR(ddraw): The primary surface cannot be locked without display control support.\n"}},  // DDERR_CANTLOCKSURFACE
    {0x887601B8, {"DERROR(ddraw): The surface is obscured, so access to it was refused.\n"}},  // DDERR_SURFACEISOBSCURED
    {0x887601C2, {"DERROR(ddraw): Surface was lost - restore it!\n"}},  // DDERR_SURFACELOST
    {0x887601CC, {"DERROR(ddraw): The requested surface is not attached.\n"}},  // DDERR_SURFACENOTATTACHED
    {0x887601D6, {"DERROR(ddraw): The requested height is too large.\n"}},  // DDERR_TOOBIGHEIGHT
    {0x887601E0, {"DERROR(ddraw): The requested size is too large.\n"}},  // DDERR_TOOBIGSIZE
    {0x887601EA, {"DERROR(ddraw): The requested width is too large.\n"}},  // DDERR_TOOBIGWIDTH
    {0x887601FE, {"DERROR(ddraw): The pixel format is not supported.\n"}},  // DDERR_UNSUPPORTEDFORMAT
    {0x88760208, {"DERROR(ddraw): The color bit masks of the pixel format are not supported.\n"}},  // DDERR_UNSUPPORTEDMASK
    {0x88760209, {"DERROR(ddraw): The stream number given is invalid.\n"}},  // DDERR_INVALIDSTREAM
    {0x88760219, {"DERROR(ddraw): A vertical blank is in progress.\n"}},  // DDERR_VERTICALBLANKINPROGRESS
    {0x8876021C, {"DERROR(ddraw): The previous blit to or from this surface has not finished yet.\n"}},  // DDERR_WASSTILLDRAWING
    {0x88760230, {"DERROR(ddraw): The rectangle is not aligned horizontally on the required boundary.\n"}},  // DDERR_XALIGN
    {0x88760231, {"DERROR(ddraw): The GUID passed is not a valid DirectDraw driver identifier.\n"}},  // DDERR_INVALIDDIRECTDRAWGUID
    {0x88760232, {"DERROR(ddraw): A DirectDraw object for this driver already exists in this process.\n"}},  // DDERR_DIRECTDRAWALREADYCREATED
    {0x88760233, {"DERROR(ddraw): A hardware-only DirectDraw object was requested, but the driver has no hardware support.\n"}},  // DDERR_NODIRECTDRAWHW
    {0x88760234, {"DERROR(ddraw): This process has already created a primary surface.\n"}},  // DDERR_PRIMARYSURFACEALREADYEXISTS
    {0x88760235, {"DERROR(ddraw): Software emulation is not available.\n"}},  // DDERR_NOEMULATION
    {0x88760236, {"DERROR(ddraw): The region passed to the clipper is too small.\n"}},  // DDERR_REGIONTOOSMALL
    {0x88760237, {"DERROR(ddraw): A clip list cannot be set on a clipper that is already watching a window.\n"}},  // DDERR_CLIPPERISUSINGHWND
    {0x88760238, {"DERROR(ddraw): No clipper is attached to the surface.\n"}},  // DDERR_NOCLIPPERATTACHED
    {0x88760239, {"DERROR(ddraw): No window has been set for the clipper or the cooperative level.\n"}},  // DDERR_NOHWND
    {0x8876023A, {"DERROR(ddraw): DirectDraw cannot restore its state because the cooperative-level window has been subclassed.\n"}},  // DDERR_HWNDSUBCLASSED
    {0x8876023B, {"DERROR(ddraw): The cooperative-level window cannot be changed while surfaces or palettes exist.\n"}},  // DDERR_HWNDALREADYSET
    {0x8876023C, {"DERROR(ddraw): No palette is attached to the surface.\n"}},  // DDERR_NOPALETTEATTACHED
    {0x8876023D, {"DERROR(ddraw): The hardware has no support for 16- or 256-color palettes.\n"}},  // DDERR_NOPALETTEHW
    {0x8876023E, {"DERROR(ddraw): BltFast cannot be used with a source surface that has a clipper attached.\n"}},  // DDERR_BLTFASTCANTCLIP
    {0x8876023F, {"DERROR(ddraw): No blitter hardware is present.\n"}},  // DDERR_NOBLTHW
    {0x88760240, {"DERROR(ddraw): No hardware for DirectDraw raster operations is present.\n"}},  // DDERR_NODDROPSHW
    {0x88760241, {"DERROR(ddraw): The overlay is hidden, so its position cannot be read.\n"}},  // DDERR_OVERLAYNOTVISIBLE
    {0x88760243, {"DERROR(ddraw): The overlay's position is no longer valid on its destination.\n"}},  // DDERR_INVALIDPOSITION
    {0x88760244, {"DERROR(ddraw): An overlay method was called on a surface that is not an overlay.\n"}},  // DDERR_NOTAOVERLAYSURFACE
    {0x88760245, {"DERROR(ddraw): Another application already holds exclusive mode.\n"}},  // DDERR_EXCLUSIVEMODEALREADYSET
    {0x88760246, {"DERROR(ddraw): The surface cannot be flipped.\n"}},  // DDERR_NOTFLIPPABLE
    {0x88760247, {"DERROR(ddraw): Primary, 3D and implicitly created surfaces cannot be duplicated.\n"}},  // DDERR_CANTDUPLICATE
    {0x88760248, {"DERROR(ddraw): The surface was unlocked without having been locked.\n"}},  // DDERR_NOTLOCKED
    {0x88760249, {"DERROR(ddraw): Windows cannot create a device context for the surface.\n"}},  // DDERR_CANTCREATEDC
    {0x8876024A, {"DERROR(ddraw): No device context has been created for this surface.\n"}},  // DDERR_NODC
    {0x8876024B, {"DERROR(ddraw): The surface was created in another display mode and cannot be restored.\n"}},  // DDERR_WRONGMODE
    {0x8876024C, {"DERROR(ddraw): The surface was created implicitly and cannot be restored on its own.\n"}},  // DDERR_IMPLICITLYCREATED
    {0x8876024D, {"DERROR(ddraw): The surface does not use a palette.\n"}},  // DDERR_NOTPALETTIZED
    {0x8876024E, {"DERROR(ddraw): The display is in a mode that is not supported.\n"}},  // DDERR_UNSUPPORTEDMODE
    {0x8876024F, {"DERROR(ddraw): No mipmap texture hardware is present.\n"}},  // DDERR_NOMIPMAPHW
    {0x88760250, {"DERROR(ddraw): The surface is of the wrong type for this operation.\n"}},  // DDERR_INVALIDSURFACETYPE
    {0x88760258, {"DERROR(ddraw): The device does not support optimized surfaces.\n"}},  // DDERR_NOOPTIMIZEHW
    {0x88760259, {"DERROR(ddraw): The optimized surface has no memory allocated yet.\n"}},  // DDERR_NOTLOADED
    {0x8876025A, {"DERROR(ddraw): A device window was created or set before the focus window was set.\n"}},  // DDERR_NOFOCUSWINDOW
    {0x8876026C, {"DERROR(ddraw): A device context has already been returned for this surface.\n"}},  // DDERR_DCALREADYCREATED
    {0x88760276, {"DERROR(ddraw): The device has no support for non-local video memory.\n"}},  // DDERR_NONONLOCALVIDMEM
    {0x88760280, {"DERROR(ddraw): The surface could not be page-locked.\n"}},  // DDERR_CANTPAGELOCK
    {0x88760294, {"DERROR(ddraw): The surface could not be page-unlocked.\n"}},  // DDERR_CANTPAGEUNLOCK
    {0x887602A8, {"DERROR(ddraw): The surface was page-unlocked without an outstanding page lock.\n"}},  // DDERR_NOTPAGELOCKED
    {0x887602B2, {"DERROR(ddraw): There is more data than the buffer supplied can hold.\n"}},  // DDERR_MOREDATA
    {0x887602B3, {"DERROR(ddraw): The data has expired and is no longer valid.\n"}},  // DDERR_EXPIRED
    {0x887602B7, {"DERROR(ddraw): The video port is not active.\n"}},  // DDERR_VIDEONOTACTIVE
    {0x887602BB, {"DERROR(ddraw): A surface created by one DirectDraw device cannot be used by another.\n"}},  // DDERR_DEVICEDOESNTOWNSURFACE

    // Direct3D.
    {0x887602BC, {"DERROR(d3d): The service you requested is unavailable in this major version of DirectX. \n",
                  "DERROR(d3d): Get the latest version of DirectX runtime from Microsoft. \n"}},  // D3DERR_BADMAJORVERSION
    {0x887602BD, {"DERROR(d3d): The service you requested is available in this major version of DirectX,\n",
                  "DERROR(d3d): but not in this minor version.\n",
                  "DERROR(d3d): Get the latest version of the component runtime from Microsoft. \n"}},  // D3DERR_BADMINORVERSION
    {0x887602C1, {"DERROR(d3d): The requested device type is not valid.\n"}},  // D3DERR_INVALID_DEVICE
    {0x887602C2, {"DERROR(d3d): The device could not be initialized.\n"}},  // D3DERR_INITFAILED
    {0x887602C3, {"DERROR(d3d): The render target cannot be changed on a device that was obtained from its render target surface.\n"}},  // D3DERR_DEVICEAGGREGATED
    {0x887602D0, {"DERROR(d3d): The device does not support texture mapping.\n"}},  // D3DERR_TEXTURE_NO_SUPPORT
    {0x887602D1, {"DERROR(d3d): The texture could not be created.\n"}},  // D3DERR_TEXTURE_CREATE_FAILED
    {0x887602D2, {"DERROR(d3d): The texture could not be destroyed.\n"}},  // D3DERR_TEXTURE_DESTROY_FAILED
    {0x887602D3, {"DERROR(d3d): The texture could not be locked.\n"}},  // D3DERR_TEXTURE_LOCK_FAILED
    {0x887602D4, {"DERROR(d3d): The texture could not be unlocked.\n"}},  // D3DERR_TEXTURE_UNLOCK_FAILED
    {0x887602D5, {"DERROR(d3d): The texture could not be loaded.\n"}},  // D3DERR_TEXTURE_LOAD_FAILED
    {0x887602D6, {"DERROR(d3d): The texture handles could not be swapped.\n"}},  // D3DERR_TEXTURE_SWAP_FAILED
    {0x887602D7, {"DERROR(d3d): The texture is locked and cannot be used until it is unlocked.\n"}},  // D3DERR_TEXTURE_LOCKED
    {0x887602D8, {"DERROR(d3d): The texture was unlocked without having been locked.\n"}},  // D3DERR_TEXTURE_NOT_LOCKED
    {0x887602D9, {"DERROR(d3d): The surface behind the texture could not be obtained.\n"}},  // D3DERR_TEXTURE_GETSURF_FAILED
    {0x887602DA, {"DERROR(d3d): The matrix could not be created.\n"}},  // D3DERR_MATRIX_CREATE_FAILED
    {0x887602DB, {"DERROR(d3d): The matrix could not be destroyed.\n"}},  // D3DERR_MATRIX_DESTROY_FAILED
    {0x887602DC, {"DERROR(d3d): The matrix data could not be set.\n"}},  // D3DERR_MATRIX_SETDATA_FAILED
    {0x887602DD, {"DERROR(d3d): The matrix data could not be read.\n"}},  // D3DERR_MATRIX_GETDATA_FAILED
    {0x887602DE, {"DERROR(d3d): The viewport parameters could not be set.\n"}},  // D3DERR_SETVIEWPORTDATA_FAILED
    {0x887602DF, {"DERROR(d3d): The current viewport is not valid.\n"}},  // D3DERR_INVALIDCURRENTVIEWPORT
    {0x887602E0, {"DERROR(d3d): The primitive type is not valid.\n"}},  // D3DERR_INVALIDPRIMITIVETYPE
    {0x887602E1, {"DERROR(d3d): The vertex type is not valid.\n"}},  // D3DERR_INVALIDVERTEXTYPE
    {0x887602E2, {"DERROR(d3d): The texture dimensions are not valid.\n"}},  // D3DERR_TEXTURE_BADSIZE
    {0x887602E3, {"DERROR(d3d): In ramp mode the material's texture does not match the texture set as a render state.\n"}},  // D3DERR_INVALIDRAMPTEXTURE
    {0x887602E4, {"DERROR(d3d): The material could not be created.\n"}},  // D3DERR_MATERIAL_CREATE_FAILED
    {0x887602E5, {"DERROR(d3d): The material could not be destroyed.\n"}},  // D3DERR_MATERIAL_DESTROY_FAILED
    {0x887602E6, {"DERROR(d3d): The material parameters could not be set.\n"}},  // D3DERR_MATERIAL_SETDATA_FAILED
    {0x887602E7, {"DERROR(d3d): The material parameters could not be read.\n"}},  // D3DERR_MATERIAL_GETDATA_FAILED
    {0x887602E8, {"DERROR(d3d): The palette attached to the surface is not valid.\n"}},  // D3DERR_INVALIDPALETTE
    {0x887602E9, {"DERROR(d3d): A software device needs its depth buffer in system memory.\n"}},  // D3DERR_ZBUFF_NEEDS_SYSTEMMEMORY
    {0x887602EA, {"DERROR(d3d): A hardware device needs its depth buffer in video memory.\n"}},  // D3DERR_ZBUFF_NEEDS_VIDEOMEMORY
    {0x887602EB, {"DERROR(d3d): A hardware device cannot render to a surface that is not in video memory.\n"}},  // D3DERR_SURFACENOTINVIDMEM
    {0x887602EE, {"DERROR(d3d): The light could not be set.\n"}},  // D3DERR_LIGHT_SET_FAILED
    {0x887602EF, {"DERROR(d3d): The light already belongs to a viewport.\n"}},  // D3DERR_LIGHTHASVIEWPORT
    {0x887602F0, {"DERROR(d3d): The light does not belong to this viewport.\n"}},  // D3DERR_LIGHTNOTINTHISVIEWPORT
    {0x887602F8, {"DERROR(d3d): A scene was begun while another scene was still in progress.\n"}},  // D3DERR_SCENE_IN_SCENE
    {0x887602F9, {"DERROR(d3d): The call needs a scene in progress, and none was begun.\n"}},  // D3DERR_SCENE_NOT_IN_SCENE
    {0x887602FA, {"DERROR(d3d): The scene could not be begun.\n"}},  // D3DERR_SCENE_BEGIN_FAILED
    {0x887602FB, {"DERROR(d3d): The scene could not be ended.\n"}},  // D3DERR_SCENE_END_FAILED
    {0x88760302, {"DERROR(d3d): The call is not allowed between Begin and End.\n"}},  // D3DERR_INBEGIN
    {0x88760303, {"DERROR(d3d): The call is only allowed between Begin and End.\n"}},  // D3DERR_NOTINBEGIN
    {0x88760304, {"DERROR(d3d): No viewport has been attached to the device.\n"}},  // D3DERR_NOVIEWPORTS
    {0x88760305, {"DERROR(d3d): The viewport parameters have not been set.\n"}},  // D3DERR_VIEWPORTDATANOTSET
    {0x88760306, {"DERROR(d3d): The viewport has not been added to a device.\n"}},  // D3DERR_VIEWPORTHASNODEVICE
    {0x88760307, {"DERROR(d3d): No current viewport has been set.\n"}},  // D3DERR_NOCURRENTVIEWPORT
    {0x88760800, {"DERROR(d3d): The combination of vertex format flags is not valid.\n"}},  // D3DERR_INVALIDVERTEXFORMAT
    {0x88760802, {"DERROR(d3d): A texture cannot be made from a surface that uses a color key for transparency.\n"}},  // D3DERR_COLORKEYATTACHED
    {0x8876080C, {"DERROR(d3d): An optimized vertex buffer cannot be locked.\n"}},  // D3DERR_VERTEXBUFFEROPTIMIZED
    {0x8876080D, {"DERROR(d3d): The vertex buffer could not be created.\n"}},  // D3DERR_VBUF_CREATE_FAILED
    {0x8876080E, {"DERROR(d3d): The vertex buffer is locked and cannot be used until it is unlocked.\n"}},  // D3DERR_VERTEXBUFFERLOCKED
    {0x8876080F, {"DERROR(d3d): The vertex buffer could not be unlocked.\n"}},  // D3DERR_VERTEXBUFFERUNLOCKFAILED
    {0x88760816, {"DERROR(d3d): Render target surface does not have an attached depth buffer. \n"}},  // D3DERR_ZBUFFER_NOTPRESENT
    {0x88760817, {"DERROR(d3d): The render target has no stencil buffer attached.\n"}},  // D3DERR_STENCILBUFFER_NOTPRESENT
    {0x88760818, {"DERROR(d3d): The pixel format of the texture surface is not valid. \n"}},  // D3DERR_WRONGTEXTUREFORMAT
    {0x88760819, {"DERROR(d3d): The device does not support a color operation set on a texture stage.\n"}},  // D3DERR_UNSUPPORTEDCOLOROPERATION
    {0x8876081A, {"DERROR(d3d): The device does not support a color argument set on a texture stage.\n"}},  // D3DERR_UNSUPPORTEDCOLORARG
    {0x8876081B, {"DERROR(d3d): The device does not support an alpha operation set on a texture stage.\n"}},  // D3DERR_UNSUPPORTEDALPHAOPERATION
    {0x8876081C, {"DERROR(d3d): The device does not support an alpha argument set on a texture stage.\n"}},  // D3DERR_UNSUPPORTEDALPHAARG
    {0x8876081D, {"DERROR(d3d): The texture stages ask for more operations than the device can do in one pass.\n"}},  // D3DERR_TOOMANYOPERATIONS
    {0x8876081E, {"DERROR(d3d): The current texture filters cannot be used together.\n"}},  // D3DERR_CONFLICTINGTEXTUREFILTER
    {0x8876081F, {"DERROR(d3d): The device does not support the texture factor value set.\n"}},  // D3DERR_UNSUPPORTEDFACTORVALUE
    {0x88760821, {"DERROR(d3d): The current render states cannot be used together.\n"}},  // D3DERR_CONFLICTINGRENDERSTATE
    {0x88760822, {"DERROR(d3d): The device does not support the texture filter set.\n"}},  // D3DERR_UNSUPPORTEDTEXTUREFILTER
    {0x88760823, {"DERROR(d3d): The call passes more primitives than the device can draw at once.\n"}},  // D3DERR_TOOMANYPRIMITIVES
    {0x88760824, {"DERROR(d3d): Invalid matrix (det(world,view,proj)=0)\n"}},  // D3DERR_INVALIDMATRIX
    {0x88760826, {"DERROR(d3d): The current textures use palettes that cannot be used together.\n"}},  // D3DERR_CONFLICTINGTEXTUREPALETTE
    {0x88760834, {"DERROR(d3d): Invalid state block handle\n"}},  // D3DERR_INVALIDSTATEBLOCK
    {0x88760835, {"DERROR(d3d): The call is not allowed while a state block is being recorded.\n"}},  // D3DERR_INBEGINSTATEBLOCK
    {0x88760836, {"DERROR(d3d): No state block is being recorded.\n"}},  // D3DERR_NOTINBEGINSTATEBLOCK

    // DirectSound.
    {0x8878000A, {"DERROR(dsound): A resource such as a priority level is already in use by another caller.\n"}},  // DSERR_ALLOCATED
    {0x8878001E, {"DERROR(dsound): The buffer control asked for (volume, pan or frequency) is not available.\n"}},  // DSERR_CONTROLUNAVAIL
    {0x88780032, {"DERROR(dsound): The call is not valid in the object's current state.\n"}},  // DSERR_INVALIDCALL
    {0x88780046, {"DERROR(dsound): The caller does not hold the priority level the call needs.\n"}},  // DSERR_PRIOLEVELNEEDED
    {0x88780064, {"DERROR(dsound): The wave format is not supported.\n"}},  // DSERR_BADFORMAT
    {0x88780078, {"DERROR(dsound): No sound driver is available for use\n"}},  // DSERR_NODRIVER
    {0x88780082, {"DERROR(dsound): The object has already been initialized.\n"}},  // DSERR_ALREADYINITIALIZED
    {0x88780096, {"DERROR(dsound): The buffer memory was lost and must be restored.\n"}},  // DSERR_BUFFERLOST
    {0x887800A0, {"DERROR(dsound): Another application holds a higher priority level.\n"}},  // DSERR_OTHERAPPHASPRIO
    {0x887800AA, {"DERROR(dsound): The object was used before it was successfully initialized.\n"}},  // DSERR_UNINITIALIZED

    // D3DX.
    {0xC8770BB8, {"DERROR(d3dx): D3DX ran out of memory.\n"}},  // D3DXERR_NOMEMORY
    {0xC8770BB9, {"DERROR(d3dx): A null pointer was passed where an object was expected.\n"}},  // D3DXERR_NULLPOINTER
    {0xC8770BBA, {"DERROR(d3dx): The device index passed is not valid.\n"}},  // D3DXERR_INVALIDD3DXDEVICEINDEX
    {0xC8770BBB, {"DERROR(d3dx): No DirectDraw object has been created.\n"}},  // D3DXERR_NODIRECTDRAWAVAILABLE
    {0xC8770BBC, {"DERROR(d3dx): No Direct3D object has been created.\n"}},  // D3DXERR_NODIRECT3DAVAILABLE
    {0xC8770BBD, {"DERROR(d3dx): No Direct3D device has been created.\n"}},  // D3DXERR_NODIRECT3DDEVICEAVAILABLE
    {0xC8770BBE, {"DERROR(d3dx): No primary surface has been created.\n"}},  // D3DXERR_NOPRIMARYAVAILABLE
    {0xC8770BBF, {"DERROR(d3dx): No depth buffer has been created.\n"}},  // D3DXERR_NOZBUFFERAVAILABLE
    {0xC8770BC0, {"DERROR(d3dx): No back buffer has been created.\n"}},  // D3DXERR_NOBACKBUFFERAVAILABLE
    {0xC8770BC1, {"DERROR(d3dx): The device capabilities could not be updated after the display mode changed.\n"}},  // D3DXERR_COULDNTUPDATECAPS
    {0xC8770BC2, {"DERROR(d3dx): The depth buffer could not be created.\n"}},  // D3DXERR_NOZBUFFER
    {0xC8770BC3, {"DERROR(d3dx): The display mode is not valid.\n"}},  // D3DXERR_INVALIDMODE
    {0xC8770BC4, {"DERROR(d3dx): One or more of the parameters passed are not valid.\n"}},  // D3DXERR_INVALIDPARAMETER
    {0xC8770BC5, {"DERROR(d3dx): D3DX could not initialize itself.\n"}},  // D3DXERR_INITFAILED
    {0xC8770BC6, {"DERROR(d3dx): D3DX could not start up.\n"}},  // D3DXERR_STARTUPFAILED
    {0xC8770BC7, {"DERROR(d3dx): D3DX has not been started; D3DXInitialize must be called first.\n"}},  // D3DXERR_D3DXNOTSTARTEDYET
    {0xC8770BC8, {"DERROR(d3dx): D3DX has not been initialized yet.\n"}},  // D3DXERR_NOTINITIALIZED
    {0xC8770BC9, {"DERROR(d3dx): The text could not be drawn to the surface.\n"}},  // D3DXERR_FAILEDDRAWTEXT
    {0xC8770BCA, {"DERROR(d3dx): The D3DX context is not valid.\n"}},  // D3DXERR_BADD3DXCONTEXT
    {0xC8770BCB, {"DERROR(d3dx): The device does not support the capabilities requested.\n"}},  // D3DXERR_CAPSNOTSUPPORTED
    {0xC8770BCC, {"DERROR(d3dx): The requested operation failed because the image file format is unrecognized.\n"}},  // D3DXERR_UNSUPPORTEDFILEFORMAT
    {0xC8770BCD, {"DERROR(d3dx): The image file library reported an error.\n"}},  // D3DXERR_IFLERROR
    {0xC8770BCE, {"DERROR(d3dx): The device capabilities could not be read.\n"}},  // D3DXERR_FAILEDGETCAPS
    {0xC8770BCF, {"DERROR(d3dx): A full-screen context cannot be resized.\n"}},  // D3DXERR_CANNOTRESIZEFULLSCREEN
    {0xC8770BD0, {"DERROR(d3dx): Only a windowed context can be resized.\n"}},  // D3DXERR_CANNOTRESIZENONWINDOWED
    {0xC8770BD1, {"DERROR(d3dx): A front buffer already exists.\n"}},  // D3DXERR_FRONTBUFFERALREADYEXISTS
    {0xC8770BD2, {"DERROR(d3dx): The primary surface is already in use by a full-screen context.\n"}},  // D3DXERR_FULLSCREENPRIMARYEXISTS
    {0xC8770BD3, {"DERROR(d3dx): The device context could not be obtained.\n"}},  // D3DXERR_GETDCFAILED
    {0xC8770BD4, {"DERROR(d3dx): The bit-block transfer failed.\n"}},  // D3DXERR_BITBLTFAILED
    {0xC8770BD5, {"DERROR(d3dx): No surface stands behind this texture.\n"}},  // D3DXERR_NOTEXTURE
    {0xC8770BD6, {"DERROR(d3dx): The surface has no mip level with that number.\n"}},  // D3DXERR_MIPLEVELABSENT
    {0xC8770BD7, {"DERROR(d3dx): The surface does not use a palette.\n"}},  // D3DXERR_SURFACENOTPALETTED
    {0xC8770BD8, {"DERROR(d3dx): The surface formats could not be enumerated.\n"}},  // D3DXERR_ENUMFORMATSFAILED
    {0xC8770BD9, {"DERROR(d3dx): The color depth is too low; D3DX needs at least 16 bits per pixel.\n"}},  // D3DXERR_COLORDEPTHTOOLOW
    {0xC8770BDA, {"DERROR(d3dx): The file format is not valid.\n"}},  // D3DXERR_INVALIDFILEFORMAT
    {0xC8770BDB, {"DERROR(d3dx): No suitable match was found.\n"}},  // D3DXERR_NOMATCHFOUND
};

}  // namespace

std::span<const DXErrorText> DXErrorTable()
{
    return dxErrorTexts;
}
