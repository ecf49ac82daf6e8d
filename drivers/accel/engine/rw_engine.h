#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/canvas/window_host.h"
#include "drivers/accel/engine/gl_state_backup.h"
#include "drivers/accel/engine/rw_im2d.h"
#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/engine/rw_present_pass.h"
#include "drivers/accel/engine/rw_texture.h"
#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

class RwCamera;
class RwRaster;

// The accelerated engine beneath the canvas driver: it draws through OpenGL 3.3 core in a context
// that a window host owns, keeps the image readers, the current texture dictionary and the
// render states, and renders immediate-mode 2D primitives into the camera being updated. One
// engine is open in a process at a time.
// The renderer and the state backup are the engine's own (not exported); everything callers use
// goes through out-of-line members.
class TESSEL_API RwEngine {
 public:
  RwEngine() = default;
  RwEngine(const RwEngine&) = delete;
  RwEngine& operator=(const RwEngine&) = delete;
  ~RwEngine();

  // Opens the engine in the host's GL context. False when the host is null, its context cannot
  // be made current or is older than 3.3, another engine is open, or the shader cannot be built.
  bool Open(UWindowHost* host);
  // Gives up the textures it kept, deletes every GL object the engine made, including those of
  // rasters still alive (their owners may destroy them later), and empties the texture
  // dictionary. When the context cannot be made current any more, it took the GL objects with
  // it: the engine and the rasters forget their names instead.
  void Close();
  bool IsOpen() const { return m_Host != nullptr; }
  bool MakeCurrent();
  UWindowHost* GetHost() const { return m_Host; }

  RwImageReaders& GetImageReaders() { return m_Readers; }
  // Null while closed.
  RwTexDictionary* GetCurrentTexDictionary() const { return m_TexDictionary.get(); }
  // A texture from an image file. A texture of the same name in the current dictionary is shared
  // (one more reference) when it came from a stream, or from the same version of the file;
  // otherwise the file is decoded by the reader registered for its extension and the new
  // texture, named by `path`, joins the current dictionary in place of one read from an older
  // version (whoever holds that one keeps its picture). Null when the file cannot be read or
  // decoded. The caller owns one reference.
  RwTexture* ReadTexture(const std::string& path);
  // A texture (not in any dictionary) holding `image`; null while closed or when GL fails. The
  // caller owns one reference.
  RwTexture* CreateTexture(const RwImage& image);
  // Takes over one reference to `texture` and gives it up when the engine closes or its dictionary
  // is reset: textures read from a stream have no other owner, and stay reachable by name through
  // the dictionary. A closed engine gives the reference up at once.
  void KeepTexture(RwTexture* texture);
  // Takes every texture out of the current dictionary and gives up the references the engine
  // kept; textures that surfaces hold stay alive for them.
  void ResetTexDictionary();

  void SetRenderState(RwRenderState state, int32_t value);
  // The texture render state; null draws untextured.
  void SetTextureRaster(RwRaster* raster);
  // The screen z of the near clip plane for immediate-mode vertices.
  float GetNearScreenZ() const { return 0.0f; }
  // Draws into the camera being updated; false outside an update or for a bad count.
  bool Im2DRenderPrimitive(RwPrimitiveType type, const RwD3D9Vertex* vertices, int count);
  // Sends what is batched to GL.
  void Flush();
  // GL draw calls of immediate-mode primitives issued since the engine opened.
  int GetDrawCallCount() const;
  // Copies the picture of the camera raster `picture` into `framebuffer`, its bottom row on the
  // framebuffer's row `bottom`, with every alpha opaque; the caller saves the GL state it wants
  // back.
  void DrawPictureOpaque(const RwRaster* picture, GLuint framebuffer, int bottom);

  RwCamera* GetCurrentCamera() const { return m_CurrentCamera; }
  bool BeginCameraUpdate(RwCamera* camera);
  void EndCameraUpdate();

  // Rasters announce themselves so the engine can take their GL objects away when it closes.
  void AttachRaster(RwRaster* raster);
  void DetachRaster(RwRaster* raster);

 private:
  void ReleaseKeptTextures();

  UWindowHost* m_Host = nullptr;
  RwImageReaders m_Readers;
  std::unique_ptr<RwTexDictionary> m_TexDictionary;
  std::vector<RwRaster*> m_Rasters;
  std::vector<RwTexture*> m_KeptTextures;
  RwIm2D m_Im2D;
  RwPresentPass m_Present;
  RwCamera* m_CurrentCamera = nullptr;
  RwGlStateBackup m_UpdateBackup;  // the owner's GL state, put back when an update ends
};
