/* A small stand-in for an iconv library, built as "iconv.dll" for the tests
 * of the iconv binding. It behaves as an iconv does where the binding
 * relies on it: a conversion converts what fits and stops with E2BIG when
 * the output is full; a call without input ends a stateful target's shift
 * sequence; unknown names fail with EINVAL. It knows:
 *   from: UTF-8, UTF-16BE, C99
 *   to:   UTF-8, UTF-16BE, C99 (every non-ASCII character as \UXXXXXXXX,
 *         five times the size of its UTF-16 form), mUTF-7 (stateful: an
 *         open base64 run closes at the next ASCII character or at the end)
 * "//IGNORE" skips malformed input. Every open and close is logged for the
 * tests (stub_log, stub_clear). */
#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#define EXPORT __declspec(dllexport)

enum { CS_NONE, CS_UTF8, CS_UTF16BE, CS_C99, CS_MUTF7 };

typedef struct {
  int from, to, ignore;
  /* mUTF-7 encoder state */
  int in_run;
  uint32_t bits;
  int nbits;
} conv_t;

static char g_log[8192];

static void log_text(const char* a, const char* b, const char* c) {
  size_t len = strlen(g_log);
  size_t need = strlen(a) + strlen(b) + strlen(c) + 1;
  if (len + need >= sizeof g_log) return;
  strcat(g_log, a);
  strcat(g_log, b);
  strcat(g_log, c);
  strcat(g_log, "\n");
}

EXPORT const char* stub_log(void) { return g_log; }
EXPORT void stub_clear(void) { g_log[0] = 0; }

static int charset_of(const char* name, int* ignore) {
  char base[64];
  const char* slash = strstr(name, "//");
  size_t n = slash ? (size_t)(slash - name) : strlen(name);
  if (n >= sizeof base) return CS_NONE;
  memcpy(base, name, n);
  base[n] = 0;
  if (ignore) *ignore = slash && strstr(slash, "//IGNORE") != NULL;
  if (!strcmp(base, "UTF-8")) return CS_UTF8;
  if (!strcmp(base, "UTF-16BE")) return CS_UTF16BE;
  if (!strcmp(base, "C99")) return CS_C99;
  if (!strcmp(base, "mUTF-7")) return CS_MUTF7;
  return CS_NONE;
}

EXPORT void* libiconv_open(const char* tocode, const char* fromcode) {
  int ignore = 0;
  int to = charset_of(tocode, &ignore);
  int from = charset_of(fromcode, NULL);
  log_text(tocode, " <- ", fromcode);
  if (to == CS_NONE || from == CS_NONE || from == CS_MUTF7) {
    errno = EINVAL;
    return (void*)(intptr_t)-1;
  }
  conv_t* cd = (conv_t*)calloc(1, sizeof(conv_t));
  cd->from = from;
  cd->to = to;
  cd->ignore = ignore;
  return cd;
}

EXPORT int libiconv_close(void* cd) {
  log_text("close", "", "");
  free(cd);
  return 0;
}

EXPORT int libiconvctl(void* cd, int request, void* argument) {
  (void)cd;
  (void)request;
  (void)argument;
  return -1;
}

static int hex_value(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

/* Decodes one character: its length, 0 when the input ends inside it, -1
 * when it is malformed (length 1 is skipped then). */
static int decode(int cs, const unsigned char* p, size_t n, uint32_t* cp) {
  if (cs == CS_UTF16BE) {
    if (n < 2) return 0;
    uint32_t u = (uint32_t)p[0] << 8 | p[1];
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (n < 4) return 0;
      uint32_t l = (uint32_t)p[2] << 8 | p[3];
      if (l < 0xDC00 || l > 0xDFFF) return -1;
      *cp = 0x10000 + ((u - 0xD800) << 10) + (l - 0xDC00);
      return 4;
    }
    if (u >= 0xDC00 && u <= 0xDFFF) return -1;
    *cp = u;
    return 2;
  }
  if (cs == CS_C99) {
    if (p[0] != '\\') {
      *cp = p[0];
      return p[0] < 0x80 ? 1 : -1;
    }
    if (n < 2) return 0;
    int digits = p[1] == 'u' ? 4 : p[1] == 'U' ? 8 : 0;
    if (!digits) {
      *cp = '\\';
      return 1;
    }
    if (n < (size_t)(2 + digits)) return 0;
    uint32_t v = 0;
    for (int i = 0; i < digits; ++i) {
      int h = hex_value(p[2 + i]);
      if (h < 0) return -1;
      v = v << 4 | (uint32_t)h;
    }
    *cp = v;
    return 2 + digits;
  }
  /* UTF-8 */
  if (p[0] < 0x80) {
    *cp = p[0];
    return 1;
  }
  int len = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC0 ? 2 : -1;
  if (len < 0) return -1;
  if (n < (size_t)len) return 0;
  uint32_t v = p[0] & (0x7F >> len);
  for (int i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return -1;
    v = v << 6 | (p[i] & 0x3F);
  }
  *cp = v;
  return len;
}

static const char kModBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+,";

/* Closes an open mUTF-7 run into out; returns the bytes written. */
static int close_run(conv_t* s, char* out) {
  int k = 0;
  if (!s->in_run) return 0;
  if (s->nbits > 0) out[k++] = kModBase64[(s->bits << (6 - s->nbits)) & 63];
  out[k++] = '-';
  s->in_run = 0;
  s->bits = 0;
  s->nbits = 0;
  return k;
}

static int put_unit16(conv_t* s, uint32_t u, char* out) {
  int k = 0;
  s->bits = s->bits << 16 | u;
  s->nbits += 16;
  while (s->nbits >= 6) {
    s->nbits -= 6;
    out[k++] = kModBase64[(s->bits >> s->nbits) & 63];
  }
  s->bits &= (1u << s->nbits) - 1;
  return k;
}

/* Encodes one character into out (room for 16 bytes), updating the state
 * in *s; returns the bytes written. */
static int encode(conv_t* s, uint32_t cp, char* out) {
  int k = 0;
  switch (s->to) {
    case CS_UTF16BE:
      if (cp >= 0x10000) {
        uint32_t v = cp - 0x10000;
        uint32_t hi = 0xD800 + (v >> 10), lo = 0xDC00 + (v & 0x3FF);
        out[k++] = (char)(hi >> 8);
        out[k++] = (char)hi;
        out[k++] = (char)(lo >> 8);
        out[k++] = (char)lo;
      } else {
        out[k++] = (char)(cp >> 8);
        out[k++] = (char)cp;
      }
      return k;
    case CS_C99:
      if (cp < 0x80) {
        out[k++] = (char)cp;
      } else {
        static const char hex[] = "0123456789ABCDEF";
        out[k++] = '\\';
        out[k++] = 'U';
        for (int i = 7; i >= 0; --i) out[k++] = hex[(cp >> (4 * i)) & 15];
      }
      return k;
    case CS_MUTF7:
      if (cp >= 0x20 && cp < 0x7F) {
        k += close_run(s, out + k);
        out[k++] = (char)cp;
        if (cp == '&') out[k++] = '-';
        return k;
      }
      if (!s->in_run) {
        out[k++] = '&';
        s->in_run = 1;
      }
      if (cp >= 0x10000) {
        uint32_t v = cp - 0x10000;
        k += put_unit16(s, 0xD800 + (v >> 10), out + k);
        k += put_unit16(s, 0xDC00 + (v & 0x3FF), out + k);
      } else {
        k += put_unit16(s, cp, out + k);
      }
      return k;
    default: /* UTF-8 */
      if (cp < 0x80) {
        out[k++] = (char)cp;
      } else if (cp < 0x800) {
        out[k++] = (char)(0xC0 | cp >> 6);
        out[k++] = (char)(0x80 | (cp & 0x3F));
      } else if (cp < 0x10000) {
        out[k++] = (char)(0xE0 | cp >> 12);
        out[k++] = (char)(0x80 | (cp >> 6 & 0x3F));
        out[k++] = (char)(0x80 | (cp & 0x3F));
      } else {
        out[k++] = (char)(0xF0 | cp >> 18);
        out[k++] = (char)(0x80 | (cp >> 12 & 0x3F));
        out[k++] = (char)(0x80 | (cp >> 6 & 0x3F));
        out[k++] = (char)(0x80 | (cp & 0x3F));
      }
      return k;
  }
}

EXPORT size_t libiconv(void* handle, const char** inbuf, size_t* inleft, char** outbuf, size_t* outleft) {
  conv_t* cd = (conv_t*)handle;
  char tmp[32];
  if (!inbuf || !*inbuf) {
    /* Back to the initial state. */
    conv_t next = *cd;
    int k = close_run(&next, tmp);
    if ((size_t)k > *outleft) {
      errno = E2BIG;
      return (size_t)-1;
    }
    memcpy(*outbuf, tmp, (size_t)k);
    *outbuf += k;
    *outleft -= (size_t)k;
    *cd = next;
    return 0;
  }
  int skipped = 0;
  while (*inleft > 0) {
    uint32_t cp = 0;
    int len = decode(cd->from, (const unsigned char*)*inbuf, *inleft, &cp);
    if (len == 0) {
      errno = EINVAL;
      return (size_t)-1;
    }
    if (len < 0) {
      if (!cd->ignore) {
        errno = EILSEQ;
        return (size_t)-1;
      }
      ++*inbuf;
      --*inleft;
      skipped = 1;
      continue;
    }
    conv_t next = *cd;
    int k = encode(&next, cp, tmp);
    if ((size_t)k > *outleft) {
      errno = E2BIG;
      return (size_t)-1;
    }
    memcpy(*outbuf, tmp, (size_t)k);
    *outbuf += k;
    *outleft -= (size_t)k;
    *inbuf += len;
    *inleft -= (size_t)len;
    *cd = next;
  }
  if (skipped) {
    errno = EILSEQ;
    return (size_t)-1;
  }
  return 0;
}
