// The framework's whole state: every global variable, setting and named constant, defined once in
// state.cpp with its initial value. Host and framework read and write them directly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "corvel/types.h"
#include "platform/types.h"

namespace corvel {

using platform::HANDLE;

// Window, rendering context and message buffer.
extern HANDLE HWINDOW;
extern HANDLE DCWINDOW;
extern HANDLE RCWINDOW;
extern const char* SETTITLENAME;
extern int32_t WIDTH;
extern int32_t HEIGHT;
extern int32_t BITS;
extern bool FULLSCREEN;
extern bool ACTIVE;
extern int32_t PIXEL_FORMAT_FLAGS;
extern platform::MSG MSG_;
extern platform::WNDCLASSEX WINDOWCLASSEX;

// Cursor and icon of the GL window.
extern int32_t SETTYPECURSOR;
extern const char* CURSORFILE;
extern int32_t SETTYPEICON;
extern const char* ICONFILE;

// Menu, command and status-bar hooks.
using TPROCEDURE = void (*)();
using TCOMMANDHANDLER = int32_t (*)(HANDLE window, int32_t message, int32_t wparam, int32_t lparam);
extern bool SHOWMENUBAR;
extern TPROCEDURE CREATEMENUBAR;
extern TPROCEDURE CREATEMOUSEMENU;
extern TCOMMANDHANDLER GETINPUTCOMMAND;
extern bool SHOWSTATUSBAR;
extern HANDLE HSTATUS;
extern HANDLE AWND;
extern TARRAY<char, 0, 260> FILENAME;
extern TARRAY<int32_t, 1, 20> STATUSITEM;
extern TARRAY<int32_t, 1, 20> EDGES;
extern int32_t MAXSTATUSITEM;

// Keyboard: -1 while a key is down, 0 when up, by virtual-key code.
extern TARRAY<int32_t, 0, 500> SETKEY;

// Mouse and camera.
extern int32_t SETMX;
extern int32_t SETMY;
extern int32_t SETOMX;
extern int32_t SETOMY;
extern bool LEFTMOUSEDOWN;
extern bool RIGHTMOUSEDOWN;
extern bool LEFTMOUSEDOWN2;
extern bool RIGHTMOUSEDOWN2;
extern bool MOUSEFREE;
extern int32_t XCOORD;
extern int32_t YCOORD;
extern int32_t ZCOORD;
extern platform::POINT MPOS;
extern int32_t MSPEED;
extern float XROT;
extern float YROT;
extern float DEPTH;
extern float XROT2;
extern float YROT2;
extern float DEPTH2;
extern TGLVERTEX MY;

// Frame rate.
extern bool VIEWFPS;
extern int32_t FPSCOUNT;
extern int32_t FORCEFPS;
extern int32_t ADDFORCEFPS;
extern uint32_t START;

// Other framework variables.
extern std::string CVLVERSION;
extern std::string BMPTYPE;
extern bool FOGONOFF;
extern uint32_t OBJNULL;

// Projection and light.
extern float OFFX;
extern float OFFY;
extern TARRAY<float, 0, 3> AMBIENTLIGHT;
extern TARRAY<float, 0, 3> DIFFUSELIGHT;
extern TARRAY<float, 0, 3> SPECULARLIGHT;
extern TARRAY<float, 0, 3> LIGHTPOSITION;

// The last face normal.
extern TARRAY<double, 1, 3> FNORMAL;

// Vertex recorder.
extern TGLVERTEX3F GLBASEVERTEX3F;
extern bool GLVERT3FREMOVE;
extern bool GLVERT3FENABLEEDIT;

// Billboards.
extern bool LOCKVIEWMODELSCALE;

// Texture tables and filters.
extern TARRAY<uint32_t, 0, 500> TEXTUREID2;
extern TARRAY<TGATEXTURE, 0, 200> TEXTURETGA2;
extern int32_t GL_MIN_FILTER;
extern int32_t GL_MAG_FILTER;

// TGA reader.
extern TTGAHEADER TGAHEADER;
extern TTGA TGA;
extern std::FILE* FTGA;
extern TARRAY<uint8_t, 0, 11> UTGACOMPARE;
extern TARRAY<uint8_t, 0, 11> CTGACOMPARE;

// Named constants.
constexpr int32_t FPS_TIMER = 1;
constexpr int32_t FPS_INTERVAL = 5000;

constexpr int32_t ARROW = 1;
constexpr int32_t IBEAM = 2;
constexpr int32_t WAIT = 3;
constexpr int32_t CROSS = 4;
constexpr int32_t UPARROW = 5;
constexpr int32_t SIZE = 6;
constexpr int32_t FILECURSOR = 7;
constexpr int32_t SIZENWSE = 8;
constexpr int32_t SIZENESW = 9;
constexpr int32_t SIZEWE = 10;
constexpr int32_t SIZENS = 11;
constexpr int32_t SIZEALL = 12;
constexpr int32_t NOCURSOR = 13;
constexpr int32_t HAND = 14;
constexpr int32_t APPSTARTING = 15;
constexpr int32_t HELP = 16;

constexpr int32_t GENERIC = 1;
constexpr int32_t FILEICON = 2;

constexpr int32_t GL_M0 = 0;
constexpr int32_t GL_MX = 1;
constexpr int32_t GL_MY = 2;
constexpr int32_t GL_MZ = 3;

constexpr const char* SZHOVERCLASS = "IMAGEBUTTON";
constexpr const char* NORMALBMP = "NORMALBITMAP";
constexpr const char* HOVERBMP = "HOVERBITMAP";
constexpr const char* PRESSBMP = "PRESSBITMAP";
constexpr const char* BUTTONRGN = "HOVERBUTTONREGION";
constexpr const char* HOVERMODE = "HOVERMODEBYTE";

}  // namespace corvel
