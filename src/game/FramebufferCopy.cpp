#include "game/FramebufferCopy.h"

#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>
#include <cassert>

namespace {

// From GL 3.0 and ARB_framebuffer_object.
constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kReadFramebuffer = 0x8CA8;
constexpr GLenum kDrawFramebuffer = 0x8CA9;
constexpr GLenum kFramebufferBinding = 0x8CA6;
constexpr GLenum kTextureEnv = 0x2300;
constexpr GLenum kTextureEnvMode = 0x2200;
constexpr GLint kModulate = 0x2100;
constexpr GLint kReplace = 0x1E01;
constexpr GLenum kBgra = 0x80E1;
constexpr GLenum kAlphaTest = 0x0BC0;
constexpr GLenum kGreater = 0x0204;
constexpr GLenum kScissorTest = 0x0C11;

using GetIntegerv = void (*)(GLenum, GLint*);
using BindFramebuffer = void (*)(GLenum, GLuint);
using BlitFramebuffer = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield,
                                 GLenum);
using TexEnvi = void (*)(GLenum, GLenum, GLint);
using Toggle = void (*)(GLenum);
using AlphaFunc = void (*)(GLenum, GLclampf);
using Scissor = void (*)(GLint, GLint, GLsizei, GLsizei);
using TexImage2D = void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum,
                            const void*);

struct Functions {
    GetIntegerv getIntegerv;
    BindFramebuffer bindFramebuffer;
    BlitFramebuffer blitFramebuffer;
    TexEnvi texEnvi;
    TexImage2D texImage2D;
    Toggle enable;
    Toggle disable;
    AlphaFunc alphaFunc;
    Scissor scissor;
};

template <class F> F lookUp(const char* name) {
    return reinterpret_cast<F>(sf::Context::getFunction(name));
}

// Looked up once a context is active; null members where the driver lacks them.
const Functions& functions() {
    static const Functions found{lookUp<GetIntegerv>("glGetIntegerv"),
                                 lookUp<BindFramebuffer>("glBindFramebuffer"),
                                 lookUp<BlitFramebuffer>("glBlitFramebuffer"),
                                 lookUp<TexEnvi>("glTexEnvi"),
                                 lookUp<TexImage2D>("glTexImage2D"),
                                 lookUp<Toggle>("glEnable"),
                                 lookUp<Toggle>("glDisable"),
                                 lookUp<AlphaFunc>("glAlphaFunc"),
                                 lookUp<Scissor>("glScissor")};
    return found;
}

// The framebuffer SFML bound for `texture`, or 0 when it draws without one.
GLint boundFramebuffer(sf::RenderTarget& target, const Functions& gl) {
    GLint bound = 0;
    if (target.setActive(true))
        gl.getIntegerv(kFramebufferBinding, &bound);
    return bound;
}

} // namespace

bool createInWindowOrder(sf::RenderTexture& texture, sf::Vector2u size) {
    if (!texture.create(size.x, size.y))
        return false;
    const Functions& gl = functions();
    if (gl.texImage2D != nullptr && texture.setActive(true)) {
        // An unsized format lets the driver keep the bytes in the order they are given;
        // the framebuffer object takes the new storage as it is.
        sf::Texture::bind(&texture.getTexture());
        gl.texImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(size.x),
                      static_cast<GLsizei>(size.y), 0, kBgra, GL_UNSIGNED_BYTE, nullptr);
        sf::Texture::bind(nullptr);
    }
    return true;
}

bool copyFramebuffer(sf::RenderTexture& from, const sf::IntRect& fromArea, sf::RenderTarget& to,
                     const sf::IntRect& area, bool flip) {
    // Activating `to` first makes its context the one both framebuffers are bound in.
    if (!to.setActive(true))
        return false;
    const Functions& gl = functions();
    if (!gl.getIntegerv || !gl.bindFramebuffer || !gl.blitFramebuffer)
        return false;
    const GLint target = boundFramebuffer(to, gl);
    // A window draws into the context's own framebuffer, 0; a render texture bound to
    // 0 draws without a framebuffer object, and nothing can be blitted into it.
    const bool intoWindow = dynamic_cast<sf::RenderTexture*>(&to) == nullptr;
    const GLint source = boundFramebuffer(from, gl);
    const bool copied = source != 0 && target != source && (target != 0 || intoWindow);
    if (copied) {
        // GL counts rows from the bottom.
        const GLint fromBottom =
            static_cast<GLint>(from.getSize().y) - fromArea.top - fromArea.height;
        const GLint bottom = static_cast<GLint>(to.getSize().y) - area.top - area.height;
        gl.bindFramebuffer(kReadFramebuffer, static_cast<GLuint>(source));
        gl.bindFramebuffer(kDrawFramebuffer, static_cast<GLuint>(target));
        const GLint top = bottom + area.height;
        gl.blitFramebuffer(fromArea.left, fromBottom, fromArea.left + fromArea.width,
                           fromBottom + fromArea.height, area.left, flip ? top : bottom,
                           area.left + area.width, flip ? bottom : top, GL_COLOR_BUFFER_BIT,
                           GL_NEAREST);
        gl.bindFramebuffer(kFramebuffer, static_cast<GLuint>(target));
    }
    // SFML's own record of the active target must end where its binding does.
    to.setActive(true);
    return copied;
}

void drawCopy(sf::RenderTarget& target, const sf::Sprite& sprite) {
    assert(sprite.getColor() == sf::Color::White);
    const Functions& gl = functions();
    // SFML leaves the texture environment at its default, modulate, and relies on it.
    const bool replaced = gl.texEnvi != nullptr && target.setActive(true);
    if (replaced)
        gl.texEnvi(kTextureEnv, kTextureEnvMode, kReplace);
    target.draw(sprite, sf::RenderStates(sf::BlendNone));
    if (replaced)
        gl.texEnvi(kTextureEnv, kTextureEnvMode, kModulate);
}

void drawOpaqueTexels(sf::RenderTarget& target, const sf::Vertex* vertices, std::size_t count,
                      sf::PrimitiveType type, const sf::Texture& texture) {
    const Functions& gl = functions();
    sf::RenderStates states(&texture);
    // SFML leaves the alpha test off and relies on it, and its first draw into a target
    // turns it off: that comes first.
    const bool tested = gl.enable && gl.disable && gl.alphaFunc && target.setActive(true);
    if (tested) {
        target.resetGLStates();
        gl.alphaFunc(kGreater, 0.f);
        gl.enable(kAlphaTest);
        states.blendMode = sf::BlendNone;
    }
    target.draw(vertices, count, type, states);
    if (tested)
        gl.disable(kAlphaTest);
}

ClipGuard::ClipGuard(sf::RenderTarget& clipped, const sf::IntRect& area) : target(clipped) {
    const Functions& gl = functions();
    clipping = gl.enable && gl.disable && gl.scissor && target.setActive(true);
    if (!clipping)
        return;
    // GL counts rows from the bottom.
    gl.scissor(area.left, static_cast<GLint>(target.getSize().y) - area.top - area.height,
               area.width, area.height);
    gl.enable(kScissorTest);
}

ClipGuard::~ClipGuard() {
    // SFML never clips and relies on it.
    if (clipping && target.setActive(true))
        functions().disable(kScissorTest);
}
