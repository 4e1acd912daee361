#pragma once

#include "geometry/vec3.h"
#include "render/render_mode.h"
#include "render/scene_cells.h"
#include "render/scene_vertex.h"
#include "textures/texture_image.h"

#include <QOpenGLFunctions_3_3_Core>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QOpenGLShaderProgram;

namespace vorn {

class CameraProjection;
class CameraScene;
class TextureImageSource;

// The OpenGL side of the camera scene: one vertex buffer, one triangle and one line index
// buffer, of which each frame draws the runs in view, and a texture array with a layer per
// texture name. Each call needs the widget's context current.
class SceneRenderer final : protected QOpenGLFunctions_3_3_Core {
public:
    SceneRenderer();
    ~SceneRenderer();

    // Compiles the shaders and makes the buffers; the reason when that failed (also when the
    // context has no OpenGL 3.3).
    std::optional<std::string> initialize();
    // Sends what changed in the scene, and the pictures of textures met for the first time.
    std::optional<std::string> upload(CameraScene& scene, TextureImageSource& images);
    // Clears to the background and, unless `empty`, draws what of the scene (as last uploaded)
    // may show in the projection, as the mode says, lit from the eye looking along `forward` (a
    // unit vector), then the handle points over it all.
    void draw(RenderMode mode, bool empty, const CameraScene& scene, const CameraProjection& projection, Vec3 eye,
              Vec3 forward, int widthPixels, int heightPixels, std::span<const SceneVertex> handles);
    // Frees every OpenGL object.
    void release();
    // The first OpenGL error the last draw raised (0: none).
    unsigned lastDrawError() const { return lastDrawError_; }

private:
    std::optional<std::string> growBuffer(unsigned buffer, unsigned target, size_t bytes, size_t& capacity);
    void uploadTextures(const CameraScene& scene, TextureImageSource& images);
    // The layer's picture, or the missing-texture checker for none.
    void uploadLayer(size_t layer, std::optional<RgbaImage> image);
    void drawHandles(std::span<const SceneVertex> handles);
    // One call for all the runs of the bound index buffer.
    void drawRuns(GLenum primitive, const std::vector<SceneSpan>& runs);

    std::unique_ptr<QOpenGLShaderProgram> program_;
    unsigned vertexArray_ = 0;
    unsigned vertexBuffer_ = 0;
    unsigned triangleBuffer_ = 0;
    unsigned lineBuffer_ = 0;
    unsigned textureArray_ = 0;
    unsigned handleArray_ = 0; // the handles' points, sent anew with each frame
    unsigned handleBuffer_ = 0;
    size_t vertexBytes_ = 0; // capacities of the buffers
    size_t triangleBytes_ = 0;
    size_t lineBytes_ = 0;
    SceneRuns visible_; // the runs of the frame, and as glMultiDrawElements takes them
    std::vector<GLsizei> runCounts_;
    std::vector<const void*> runOffsets_;
    size_t layersUploaded_ = 0;
    int layersGeneration_ = 0; // of the scene's texture layers that were sent
    size_t layerCapacity_ = 0;
    unsigned lastDrawError_ = 0;
};

} // namespace vorn
