#include "game/FramebufferCopy.h"

#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

namespace {

// From GL 3.0 and ARB_framebuffer_object.
constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kReadFramebuffer = 0x8CA8;
constexpr GLenum kDrawFramebuffer = 0x8CA9;
constexpr GLenum kFramebufferBinding = 0x8CA6;

using GetIntegerv = void (*)(GLenum, GLint*);
using BindFramebuffer = void (*)(GLenum, GLuint);
using BlitFramebuffer = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield,
                                 GLenum);

struct Functions {
    GetIntegerv getIntegerv;
    BindFramebuffer bindFramebuffer;
    BlitFramebuffer blitFramebuffer;
};

template <class F> F lookUp(const char* name) {
    return reinterpret_cast<F>(sf::Context::getFunction(name));
}

// Looked up once a context is active; null members where the driver lacks them.
const Functions& functions() {
    static const Functions found{lookUp<GetIntegerv>("glGetIntegerv"),
                                 lookUp<BindFramebuffer>("glBindFramebuffer"),
                                 lookUp<BlitFramebuffer>("glBlitFramebuffer")};
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
