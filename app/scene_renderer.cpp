#include "scene_renderer.h"

#include "render/camera_projection.h"
#include "render/camera_scene.h"
#include "render/texture_image_source.h"

#include <QOpenGLShaderProgram>

#include <algorithm>

namespace vorn {
namespace {

constexpr int kLayerSize = 128;         // every texture is resampled to this square
constexpr size_t kFirstLayerCapacity = 64;

// Lighting: ambient 0.1 plus a broad white light at the camera, which also lights what it only
// grazes (a wall seen along its length) a little, so that every face toward the camera shows.
// Flat shading lights a face as a whole, from the camera toward the face's centre and along the
// view, once for each corner; smooth shading point by point.
const char* const kLighting = R"(#version 330 core
uniform vec3 eye;
uniform vec3 forward;
uniform int lighting; // 0 unlit, 1 flat, 2 smooth
float cameraLight(float facing)
{
    return 0.1 + (facing > 0.0 ? 0.9 * (0.35 + 0.65 * facing) : 0.0);
}
)";

const char* const kVertexShader = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec4 normal; // w: 1 where the picture shows in every mode
layout(location = 3) in vec3 colour;
layout(location = 4) in uint layer;
layout(location = 5) in vec3 toCentre; // in half units
uniform mat4 viewProjection;
out vec3 point;
out vec3 faceNormal;
out vec3 faceColour;
out vec2 uv;
flat out float flatLight;
flat out uint textureLayer;
flat out float alwaysTextured;
void main()
{
    gl_Position = viewProjection * vec4(position, 1.0);
    point = position;
    faceNormal = normal.xyz;
    vec3 n = normalize(normal.xyz);
    vec3 centre = position + 0.5 * toCentre;
    flatLight = lighting == 1 ? cameraLight(max(dot(n, normalize(eye - centre)), dot(n, -forward))) : 1.0;
    alwaysTextured = normal.w;
    faceColour = colour;
    uv = texCoord;
    textureLayer = layer;
}
)";

const char* const kFragmentShader = R"(
in vec3 point;
in vec3 faceNormal;
in vec3 faceColour;
in vec2 uv;
flat in float flatLight;
flat in uint textureLayer;
flat in float alwaysTextured;
uniform bool textured;
uniform uint untexturedLayer;
uniform sampler2DArray textures;
out vec4 fragmentColour;
void main()
{
    float light = flatLight;
    if (lighting == 2) light = cameraLight(dot(normalize(faceNormal), normalize(eye - point)));
    vec3 c = faceColour * light;
    if ((textured || alwaysTextured > 0.5) && textureLayer != untexturedLayer) c *= texture(textures, vec3(uv, float(textureLayer))).rgb;
    fragmentColour = vec4(c, 1.0);
}
)";

// Nearest-texel resampling to the layer size.
std::vector<std::uint8_t> toLayer(const RgbaImage& image)
{
    std::vector<std::uint8_t> out(static_cast<size_t>(kLayerSize * kLayerSize * 4));
    for (int y = 0; y < kLayerSize; ++y) {
        const int sy = y * image.height / kLayerSize;
        for (int x = 0; x < kLayerSize; ++x) {
            const int sx = x * image.width / kLayerSize;
            std::copy_n(image.rgba.begin() + (static_cast<ptrdiff_t>(sy) * image.width + sx) * 4, 4,
                        out.begin() + (static_cast<ptrdiff_t>(y) * kLayerSize + x) * 4);
        }
    }
    return out;
}

template <typename T>
void sendSpans(QOpenGLFunctions_3_3_Core& gl, GLenum target, const std::vector<SceneSpan>& spans, std::span<const T> data)
{
    for (const SceneSpan& span : spans) {
        gl.glBufferSubData(target, static_cast<GLintptr>(span.first * sizeof(T)),
                           static_cast<GLsizeiptr>(span.count * sizeof(T)), data.data() + span.first);
    }
}

bool spansFit(const std::vector<SceneSpan>& spans, size_t elementSize, size_t capacityBytes)
{
    return std::ranges::all_of(spans, [&](const SceneSpan& s) { return (s.first + s.count) * elementSize <= capacityBytes; });
}

} // namespace

SceneRenderer::SceneRenderer() = default;
SceneRenderer::~SceneRenderer() = default;

std::optional<std::string> SceneRenderer::initialize()
{
    if (!initializeOpenGLFunctions()) return "This display offers no OpenGL 3.3.";
    program_ = std::make_unique<QOpenGLShaderProgram>();
    if (!program_->addShaderFromSourceCode(QOpenGLShader::Vertex, QByteArray(kLighting) + kVertexShader) ||
        !program_->addShaderFromSourceCode(QOpenGLShader::Fragment, QByteArray(kLighting) + kFragmentShader) ||
        !program_->link()) {
        return "The camera view's shaders could not be built:\n" + program_->log().toStdString();
    }

    glGenVertexArrays(1, &vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glGenBuffers(1, &triangleBuffer_);
    glGenBuffers(1, &lineBuffer_);
    glGenTextures(1, &textureArray_);
    glGenVertexArrays(1, &handleArray_);
    glGenBuffers(1, &handleBuffer_);
    constexpr auto stride = static_cast<GLsizei>(sizeof(SceneVertex));
    const auto at = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
    // The scene and the handles lay out their vertices alike.
    for (const auto& [array, buffer] : {std::pair{vertexArray_, vertexBuffer_}, std::pair{handleArray_, handleBuffer_}}) {
        glBindVertexArray(array);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(SceneVertex, position)));
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(SceneVertex, texCoord)));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 4, GL_BYTE, GL_TRUE, stride, at(offsetof(SceneVertex, normal)));
        glEnableVertexAttribArray(3);
        glVertexAttribPointer(3, 3, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(SceneVertex, colour)));
        glEnableVertexAttribArray(4);
        glVertexAttribIPointer(4, 1, GL_UNSIGNED_SHORT, stride, at(offsetof(SceneVertex, layer)));
        glEnableVertexAttribArray(5);
        glVertexAttribPointer(5, 3, GL_SHORT, GL_FALSE, stride, at(offsetof(SceneVertex, toCentre)));
    }
    glBindVertexArray(0);
    if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
        return "The camera view's buffers could not be made (OpenGL error " + std::to_string(error) + ").";
    }
    return std::nullopt;
}

std::optional<std::string> SceneRenderer::growBuffer(unsigned buffer, unsigned target, size_t bytes, size_t& capacity)
{
    glBindBuffer(target, buffer);
    if (bytes <= capacity) return std::nullopt;
    // Room to spare, so that brushes that grow and move to the end seldom reallocate.
    const size_t room = std::max<size_t>(bytes + bytes / 4, 4096);
    glBufferData(target, static_cast<GLsizeiptr>(room), nullptr, GL_DYNAMIC_DRAW);
    if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
        capacity = 0;
        return "The camera view could not get " + std::to_string(room) + " bytes of buffer memory (OpenGL error " +
               std::to_string(error) + ").";
    }
    capacity = room;
    return std::nullopt;
}

std::optional<std::string> SceneRenderer::upload(CameraScene& scene, TextureImageSource& images)
{
    const SceneChanges changes = scene.takeChanges();
    const auto vertices = scene.vertices();
    const auto triangles = scene.triangleIndices();
    const auto lines = scene.lineIndices();
    const bool whole = changes.whole || vertices.size_bytes() > vertexBytes_ || triangles.size_bytes() > triangleBytes_ ||
                       lines.size_bytes() > lineBytes_ || !spansFit(changes.vertices, sizeof(SceneVertex), vertexBytes_) ||
                       !spansFit(changes.triangles, sizeof(std::uint32_t), triangleBytes_) ||
                       !spansFit(changes.lines, sizeof(std::uint32_t), lineBytes_);

    glBindVertexArray(vertexArray_);
    struct Part {
        unsigned buffer;
        GLenum target;
        size_t bytes;
        size_t& capacity;
    };
    const Part parts[] = {{vertexBuffer_, GL_ARRAY_BUFFER, vertices.size_bytes(), vertexBytes_},
                          {triangleBuffer_, GL_ELEMENT_ARRAY_BUFFER, triangles.size_bytes(), triangleBytes_},
                          {lineBuffer_, GL_ELEMENT_ARRAY_BUFFER, lines.size_bytes(), lineBytes_}};
    const void* data[] = {vertices.data(), triangles.data(), lines.data()};
    for (int i = 0; i < 3; ++i) {
        const Part& part = parts[i];
        if (auto failure = growBuffer(part.buffer, part.target, part.bytes, part.capacity)) {
            glBindVertexArray(0);
            return failure;
        }
        if (whole) {
            if (part.bytes > 0) glBufferSubData(part.target, 0, static_cast<GLsizeiptr>(part.bytes), data[i]);
        } else if (i == 0) {
            sendSpans(*this, part.target, changes.vertices, vertices);
        } else {
            sendSpans(*this, part.target, i == 1 ? changes.triangles : changes.lines, i == 1 ? triangles : lines);
        }
    }
    glBindVertexArray(0);
    uploadTextures(scene, images);
    if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
        return "The camera view could not send the scene (OpenGL error " + std::to_string(error) + ").";
    }
    return std::nullopt;
}

void SceneRenderer::uploadTextures(const CameraScene& scene, TextureImageSource& images)
{
    if (scene.textures().generation() != layersGeneration_) {
        layersGeneration_ = scene.textures().generation();
        layersUploaded_ = 0;
    }
    const auto& names = scene.textures().names();
    if (names.size() <= layersUploaded_) return;
    glBindTexture(GL_TEXTURE_2D_ARRAY, textureArray_);
    if (names.size() > layerCapacity_) {
        // A larger array starts empty: every layer is sent again.
        layerCapacity_ = std::max(kFirstLayerCapacity, layerCapacity_);
        while (layerCapacity_ < names.size()) layerCapacity_ *= 2;
        glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, kLayerSize, kLayerSize, static_cast<GLsizei>(layerCapacity_), 0,
                     GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_REPEAT);
        layersUploaded_ = 0;
    }
    for (size_t layer = layersUploaded_; layer < names.size(); ++layer) {
        const auto& picture = scene.textures().picture(layer);
        uploadLayer(layer, picture ? std::optional<RgbaImage>(*picture) : images.image(names[layer]));
    }
    layersUploaded_ = names.size();
}

void SceneRenderer::uploadLayer(size_t layer, std::optional<RgbaImage> image)
{
    if (!image || image->width <= 0 || image->height <= 0 ||
        image->rgba.size() < static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 4) {
        image = MissingTextureImage(kLayerSize);
    }
    const std::vector<std::uint8_t> texels = toLayer(*image);
    glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, static_cast<GLint>(layer), kLayerSize, kLayerSize, 1, GL_RGBA,
                    GL_UNSIGNED_BYTE, texels.data());
}

void SceneRenderer::draw(RenderMode mode, bool empty, const CameraScene& scene, const CameraProjection& projection, Vec3 eye,
                         Vec3 forward, int widthPixels, int heightPixels, std::span<const SceneVertex> handles)
{
    glViewport(0, 0, widthPixels, heightPixels);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    lastDrawError_ = glGetError();
    if (empty) return;

    scene.visibleRuns(projection, visible_);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    program_->bind();
    const Matrix4 m = projection.viewProjection();
    glUniformMatrix4fv(program_->uniformLocation("viewProjection"), 1, GL_FALSE, m.data());
    program_->setUniformValue("eye", eye.x, eye.y, eye.z);
    program_->setUniformValue("forward", forward.x, forward.y, forward.z);
    const bool flat = mode == RenderMode::FlatShaded || mode == RenderMode::Textured;
    program_->setUniformValue("lighting", flat ? 1 : mode == RenderMode::Gouraud ? 2 : 0);
    program_->setUniformValue("textured", mode == RenderMode::Textured);
    glUniform1ui(program_->uniformLocation("untexturedLayer"), kUntexturedLayer); // Qt sends unsigned values as signed
    program_->setUniformValue("textures", 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D_ARRAY, textureArray_);
    glBindVertexArray(vertexArray_);
    if (mode == RenderMode::Wireframe) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, lineBuffer_);
        drawRuns(GL_LINES, visible_.lines);
    } else {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, triangleBuffer_);
        drawRuns(GL_TRIANGLES, visible_.triangles);
    }
    drawHandles(handles);
    glBindVertexArray(0);
    program_->release();
    if (lastDrawError_ == GL_NO_ERROR) lastDrawError_ = glGetError();
}

void SceneRenderer::drawRuns(GLenum primitive, const std::vector<SceneSpan>& runs)
{
    if (runs.empty()) return;
    runCounts_.clear();
    runOffsets_.clear();
    for (const SceneSpan& run : runs) {
        runCounts_.push_back(static_cast<GLsizei>(run.count));
        runOffsets_.push_back(reinterpret_cast<const void*>(run.first * sizeof(std::uint32_t)));
    }
    glMultiDrawElements(primitive, runCounts_.data(), GL_UNSIGNED_INT, runOffsets_.data(),
                        static_cast<GLsizei>(runs.size()));
}

// Square points, unlit and over everything, so that handles behind a face can be seen and taken.
void SceneRenderer::drawHandles(std::span<const SceneVertex> handles)
{
    constexpr float kHandlePixels = 7;
    if (handles.empty()) return;
    program_->setUniformValue("lighting", 0);
    program_->setUniformValue("textured", false);
    glBindVertexArray(handleArray_);
    glBindBuffer(GL_ARRAY_BUFFER, handleBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(handles.size_bytes()), handles.data(), GL_STREAM_DRAW);
    glDisable(GL_DEPTH_TEST);
    glPointSize(kHandlePixels);
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(handles.size()));
    glEnable(GL_DEPTH_TEST);
}

void SceneRenderer::release()
{
    for (unsigned* array : {&vertexArray_, &handleArray_}) {
        if (*array != 0) glDeleteVertexArrays(1, array);
        *array = 0;
    }
    for (unsigned* buffer : {&vertexBuffer_, &triangleBuffer_, &lineBuffer_, &handleBuffer_}) {
        if (*buffer != 0) glDeleteBuffers(1, buffer);
        *buffer = 0;
    }
    if (textureArray_ != 0) glDeleteTextures(1, &textureArray_);
    textureArray_ = 0;
    vertexBytes_ = triangleBytes_ = lineBytes_ = 0;
    layersUploaded_ = layerCapacity_ = 0;
    layersGeneration_ = 0;
    program_.reset();
}

} // namespace vorn
