// OpenGL as the frame publisher uses it: rectangle textures with 8-bit RGB or RGBA storage and
// framebuffer objects around them. The stand-in keeps every object in memory, per context;
// calls act on the calling thread's current context (opengl_context.h) and do nothing when the
// thread has none. Enum values are OpenGL's.
#pragma once

#include <cstdint>

using GLenum = std::uint32_t;
using GLuint = std::uint32_t;
using GLint = std::int32_t;
using GLsizei = std::int32_t;
using GLfloat = float;
using GLclampf = float;
using GLbitfield = std::uint32_t;

inline constexpr GLenum GL_NO_ERROR = 0;
inline constexpr GLenum GL_INVALID_ENUM = 0x0500;
inline constexpr GLenum GL_INVALID_VALUE = 0x0501;
inline constexpr GLenum GL_INVALID_OPERATION = 0x0502;
inline constexpr GLenum GL_OUT_OF_MEMORY = 0x0505;

inline constexpr GLenum GL_UNSIGNED_BYTE = 0x1401;
inline constexpr GLenum GL_FLOAT = 0x1406;
inline constexpr GLenum GL_RGB = 0x1907;
inline constexpr GLenum GL_RGBA = 0x1908;
inline constexpr GLenum GL_RGB8 = 0x8051;
inline constexpr GLenum GL_RGBA8 = 0x8058;
inline constexpr GLenum GL_TEXTURE_RECTANGLE_ARB = 0x84F5;
inline constexpr GLenum GL_COLOR_ATTACHMENT0_EXT = 0x8CE0;
inline constexpr GLenum GL_FRAMEBUFFER_EXT = 0x8D40;
inline constexpr GLbitfield GL_COLOR_BUFFER_BIT = 0x4000;

void glEnable(GLenum cap);

void glGenTextures(GLsizei n, GLuint* textures);
void glBindTexture(GLenum target, GLuint texture);
// Allocates the bound texture's storage (internalformat GL_RGB8 or GL_RGBA8) and fills it from
// pixels, or with zeros when pixels is null.
void glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels);
// Replaces a rectangle of the bound texture from rows of GL_RGB or GL_RGBA pixels, GL_FLOAT
// (clamped to 0…1) or GL_UNSIGNED_BYTE; rows are 4-byte aligned as OpenGL unpacks them.
void glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                     GLsizei height, GLenum format, GLenum type, const void* pixels);
void glDeleteTextures(GLsizei n, const GLuint* textures);

void glGenFramebuffersEXT(GLsizei n, GLuint* framebuffers);
void glBindFramebufferEXT(GLenum target, GLuint framebuffer);
void glFramebufferTextureEXT(GLenum target, GLenum attachment, GLuint texture, GLint level);
void glDeleteFramebuffersEXT(GLsizei n, const GLuint* framebuffers);

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
// Fills the texture attached to the bound framebuffer with the clear colour.
void glClear(GLbitfield mask);
