#pragma once

#include <cstdint>

// The plain records and codes that the accelerated driver and its engine exchange.

struct RwV2d {
  float x;
  float y;
};

struct RwV3d {
  float x;
  float y;
  float z;
};

// A rectangle as origin and size, in pixels.
struct RwRect {
  int32_t x;
  int32_t y;
  int32_t w;
  int32_t h;
};

struct RwRGBA {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t alpha;
};

// One vertex of an immediate-mode 2D primitive: screen pixels (y grows downwards), a depth and its
// reciprocal (kept for the layout; 2D drawing does no depth test), a 0xAARRGGBB colour and texture
// coordinates.
struct RwD3D9Vertex {
  float x;
  float y;
  float z;
  float rhw;
  uint32_t emissiveColor;
  float u;
  float v;
};
static_assert(sizeof(RwD3D9Vertex) == 28);

// A 4 x 4 affine matrix stored as its right, up and at vectors and its position, each followed
// by a word (the flags after the right vector). A point p maps to
// p.x * right + p.y * up + p.z * at + pos.
struct RwMatrixTag {
  RwV3d right;
  uint32_t flags;
  RwV3d up;
  uint32_t pad1;
  RwV3d at;
  uint32_t pad2;
  RwV3d pos;
  uint32_t pad3;
};
static_assert(sizeof(RwMatrixTag) == 64);

enum RwMatrixFlag : uint32_t {
  rwMATRIXTYPEORTHONORMAL = 0x3,
  rwMATRIXINTERNALIDENTITY = 0x20000,
};

// How a matrix operation meets the matrix it acts on.
enum RwOpCombineType : int32_t {
  rwCOMBINEREPLACE = 0,     // the matrix becomes the operation
  rwCOMBINEPRECONCAT = 1,   // the operation applies before the matrix
  rwCOMBINEPOSTCONCAT = 2,  // the operation applies after the matrix
};

enum RwPrimitiveType : int32_t {
  rwPRIMTYPELINELIST = 1,
  rwPRIMTYPEPOLYLINE = 2,
  rwPRIMTYPETRILIST = 3,
  rwPRIMTYPETRISTRIP = 4,
  rwPRIMTYPETRIFAN = 5,
};

// Render states that take an integer; the texture raster has a setter of its own.
enum RwRenderState : int32_t {
  rwRENDERSTATETEXTURERASTER = 1,
  rwRENDERSTATETEXTUREFILTER = 9,
  rwRENDERSTATESRCBLEND = 10,
  rwRENDERSTATEDESTBLEND = 11,
  rwRENDERSTATEVERTEXALPHAENABLE = 12,
  rwRENDERSTATECULLMODE = 20,
  // This engine's own: 0 to 255, how far texels are mixed toward white before the vertex colour
  // multiplies them (0, the start, leaves them as they are). With a vertex colour it tints a
  // picture while keeping its shading, where a plain multiply would darken unlike colours.
  rwRENDERSTATETEXTUREWHITEN = 200,
};

enum RwTextureFilterMode : int32_t {
  rwFILTERNEAREST = 1,
  rwFILTERLINEAR = 2,
};

enum RwBlendFunction : int32_t {
  rwBLENDZERO = 1,
  rwBLENDONE = 2,
  rwBLENDSRCCOLOR = 3,
  rwBLENDINVSRCCOLOR = 4,
  rwBLENDSRCALPHA = 5,
  rwBLENDINVSRCALPHA = 6,
  rwBLENDDESTALPHA = 7,
  rwBLENDINVDESTALPHA = 8,
  rwBLENDDESTCOLOR = 9,
  rwBLENDINVDESTCOLOR = 10,
};

enum RwCullMode : int32_t {
  rwCULLMODECULLNONE = 1,
};

// Raster type (low bits of the creation word) and format (the format byte times 256).
enum RwRasterType : int32_t {
  rwRASTERTYPENORMAL = 0x0,
  rwRASTERTYPEZBUFFER = 0x1,
  rwRASTERTYPECAMERA = 0x2,
  rwRASTERTYPETEXTURE = 0x4,
  rwRASTERTYPEMASK = 0x7,
};

enum RwRasterFormat : int32_t {
  rwRASTERFORMATDEFAULT = 0x0000,
  rwRASTERFORMAT1555 = 0x0100,
  rwRASTERFORMAT565 = 0x0200,
  rwRASTERFORMAT4444 = 0x0300,
  rwRASTERFORMATLUM8 = 0x0400,
  rwRASTERFORMAT8888 = 0x0500,
  rwRASTERFORMAT888 = 0x0600,
  rwRASTERFORMAT16 = 0x0700,
  rwRASTERFORMAT24 = 0x0800,
  rwRASTERFORMAT32 = 0x0900,
  rwRASTERFORMAT555 = 0x0A00,
  rwRASTERFORMATPAL8 = 0x2000,
  rwRASTERFORMATPAL4 = 0x4000,
  rwRASTERFORMATPIXELFORMATMASK = 0x0F00,
  rwRASTERFORMATMASK = 0xFF00,
};

// Byte order of pixels read back from a raster.
enum class RwPixelOrder {
  kBgra,  // blue, green, red, alpha: a 0xAARRGGBB word on a little-endian host
  kRgba,
};
