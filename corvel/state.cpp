// Definitions of every framework global with its initial value; anything not given starts at zero.
#include "corvel/state.h"

namespace corvel {

HANDLE HWINDOW = 0;
HANDLE DCWINDOW = 0;
HANDLE RCWINDOW = 0;
const char* SETTITLENAME = nullptr;
int32_t WIDTH = 0;
int32_t HEIGHT = 0;
int32_t BITS = 0;
bool FULLSCREEN = false;
bool ACTIVE = false;
int32_t PIXEL_FORMAT_FLAGS = 0;
platform::MSG MSG_ = {};
platform::WNDCLASSEX WINDOWCLASSEX = {};

int32_t SETTYPECURSOR = 0;
const char* CURSORFILE = nullptr;
int32_t SETTYPEICON = 0;
const char* ICONFILE = nullptr;

bool SHOWMENUBAR = false;
TPROCEDURE CREATEMENUBAR = nullptr;
TPROCEDURE CREATEMOUSEMENU = nullptr;
TCOMMANDHANDLER GETINPUTCOMMAND = nullptr;
bool SHOWSTATUSBAR = false;
HANDLE HSTATUS = 0;
HANDLE AWND = 0;
TARRAY<char, 0, 260> FILENAME = {};
TARRAY<int32_t, 1, 20> STATUSITEM = {};
TARRAY<int32_t, 1, 20> EDGES = {};
int32_t MAXSTATUSITEM = 0;

TARRAY<int32_t, 0, 500> SETKEY = {};

int32_t SETMX = 0;
int32_t SETMY = 0;
int32_t SETOMX = 0;
int32_t SETOMY = 0;
bool LEFTMOUSEDOWN = false;
bool RIGHTMOUSEDOWN = false;
bool LEFTMOUSEDOWN2 = false;
bool RIGHTMOUSEDOWN2 = false;
bool MOUSEFREE = false;
int32_t XCOORD = 0;
int32_t YCOORD = 0;
int32_t ZCOORD = 0;
platform::POINT MPOS = {0, 0};
int32_t MSPEED = 0;
float XROT = 0.0f;
float YROT = 0.0f;
float DEPTH = 0.0f;
float XROT2 = 0.0f;
float YROT2 = 0.0f;
float DEPTH2 = 0.0f;
TGLVERTEX MY = {0.0f, 0.0f, 0.0f};

bool VIEWFPS = false;
int32_t FPSCOUNT = 0;
int32_t FORCEFPS = 1;
int32_t ADDFORCEFPS = 0;
uint32_t START = 0;

std::string CVLVERSION = "1.0";
std::string BMPTYPE;
bool FOGONOFF = false;
uint32_t OBJNULL = 0;

float OFFX = 0.0f;
float OFFY = 0.0f;
TARRAY<float, 0, 3> AMBIENTLIGHT = {{0.5f, 0.5f, 0.5f, 1.0f}};
TARRAY<float, 0, 3> DIFFUSELIGHT = {{1.0f, 1.0f, 1.0f, 1.0f}};
TARRAY<float, 0, 3> SPECULARLIGHT = {{1.0f, 1.0f, 1.0f, 1.0f}};
TARRAY<float, 0, 3> LIGHTPOSITION = {{0.0f, 0.0f, 0.0f, 0.0f}};

TARRAY<double, 1, 3> FNORMAL = {{0.0, 0.0, 0.0}};

TGLVERTEX3F GLBASEVERTEX3F = {};
bool GLVERT3FREMOVE = false;
bool GLVERT3FENABLEEDIT = false;

bool LOCKVIEWMODELSCALE = true;

TARRAY<uint32_t, 0, 500> TEXTUREID2 = {};
TARRAY<TGATEXTURE, 0, 200> TEXTURETGA2 = {};
int32_t GL_MIN_FILTER = 9729;
int32_t GL_MAG_FILTER = 9729;

TTGAHEADER TGAHEADER = {};
TTGA TGA = {};
std::FILE* FTGA = nullptr;
TARRAY<uint8_t, 0, 11> UTGACOMPARE = {{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
TARRAY<uint8_t, 0, 11> CTGACOMPARE = {{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

}  // namespace corvel
