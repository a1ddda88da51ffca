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

using GetIntegerv = void (*)(GLenum, GLint*);
using BindFramebuffer = void (*)(GLenum, GLuint);
using BlitFramebuffer = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield,
                                 GLenum);
using TexEnvi = void (*)(GLenum, GLenum, GLint);

struct Functions {
    GetIntegerv getIntegerv;
    BindFramebuffer bindFramebuffer;
    BlitFramebuffer blitFramebuffer;
    TexEnvi texEnvi;
};

template <class F> F lookUp(const char* name) {
    return reinterpret_cast<F>(sf::Context::getFunction(name));
}

// Looked up once a context is active; null members where the driver lacks them.
const Functions& functions() {
    static const Functions found{
        lookUp<GetIntegerv>("glGetIntegerv"), lookUp<BindFramebuffer>("glBindFramebuffer"),
        lookUp<BlitFramebuffer>("glBlitFramebuffer"), lookUp<TexEnvi>("glTexEnvi")};
    return found;
}

// The framebuffer SFML bound for `texture`, or 0 when it draws without one.
GLint boundFramebuffer(sf::RenderTexture& texture, const Functions& gl) {
    GLint bound = 0;
    if (texture.setActive(true))
        gl.getIntegerv(kFramebufferBinding, &bound);
    return bound;
}

} // namespace

bool copyFramebuffer(sf::RenderTexture& from, sf::RenderTexture& to, sf::Vector2i at) {
    // Activating `to` first makes its context the one both framebuffers are bound in.
    if (!to.setActive(true))
        return false;
    const Functions& gl = functions();
    if (!gl.getIntegerv || !gl.bindFramebuffer || !gl.blitFramebuffer)
        return false;
    const GLint target = boundFramebuffer(to, gl);
    const GLint source = boundFramebuffer(from, gl);
    const bool copied = target != 0 && source != 0 && target != source;
    if (copied) {
        const sf::Vector2i size(from.getSize());
        // GL counts rows from the bottom.
        const GLint bottom = static_cast<GLint>(to.getSize().y) - at.y - size.y;
        gl.bindFramebuffer(kReadFramebuffer, static_cast<GLuint>(source));
        gl.bindFramebuffer(kDrawFramebuffer, static_cast<GLuint>(target));
        gl.blitFramebuffer(0, 0, size.x, size.y, at.x, bottom, at.x + size.x, bottom + size.y,
                           GL_COLOR_BUFFER_BIT, GL_NEAREST);
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
