// The browser's text drawing behind the system-font rasteriser (web_font.cpp).
mergeInto(LibraryManager.library, {
  $ZephyxFont: {
    canvas: null,
    context: null,
    // A canvas reused for every glyph; it only grows.
    surface: function(side) {
      var canvas = ZephyxFont.canvas;
      if (!canvas || canvas.width < side || canvas.height < side) {
        canvas = ZephyxFont.canvas = document.createElement('canvas');
        canvas.width = canvas.height = Math.max(side, 64);
        ZephyxFont.context = canvas.getContext('2d', {willReadFrequently: true});
      }
      return ZephyxFont.context;
    },
    quoted: function(family) {
      return family === 'serif' ? family : '"' + family.replace(/["\\]/g, '\\$&') + '"';
    },
    css: function(family, size, weight, italic) {
      return (italic ? 'italic ' : '') + weight + ' ' + size + 'px ' + ZephyxFont.quoted(family);
    },
    width: function(context, font, text) {
      context.font = font;
      return context.measureText(text).width;
    },
    // A face is there when text in it measures differently from both generic fallbacks.
    installed: function(family) {
      var context = ZephyxFont.surface(16);
      var probe = 'mmmmmmmmmmlli10OQ\u65e5\u672c';
      return ['monospace', 'sans-serif'].every(function(generic) {
        var named = ZephyxFont.width(context, '72px ' + ZephyxFont.quoted(family) + ', ' + generic,
                                     probe);
        return named !== ZephyxFont.width(context, '72px ' + generic, probe);
      });
    },
  },

  zephyx_font_resolve__deps: ['$ZephyxFont'],
  zephyx_font_resolve: function(requested, family, familySize, metrics) {
    var candidates = [UTF8ToString(requested), 'IPAMincho', 'IPAPMincho'];
    var chosen = 'serif';
    for (var i = 0; i < candidates.length; ++i) {
      if (candidates[i] && ZephyxFont.installed(candidates[i])) {
        chosen = candidates[i];
        break;
      }
    }
    stringToUTF8(chosen, family, familySize);
    var context = ZephyxFont.surface(16);
    context.font = ZephyxFont.css(chosen, 1000, 400, 0);
    var measured = context.measureText('M');
    // A browser that does not measure the face's box gets a usual serif's proportions.
    HEAPF64[(metrics >> 3)] = (measured.fontBoundingBoxAscent || 880) / 1000;
    HEAPF64[(metrics >> 3) + 1] = (measured.fontBoundingBoxDescent || 120) / 1000;
  },

  zephyx_font_render__deps: ['$ZephyxFont'],
  zephyx_font_render: function(family, emPixels, weight, italic, codePoint, ink, capacity, box) {
    var name = UTF8ToString(family);
    var side = Math.ceil(emPixels * 3);
    var context = ZephyxFont.surface(side);
    context.clearRect(0, 0, side, side);
    context.font = ZephyxFont.css(name, emPixels, weight, italic);
    context.textBaseline = 'alphabetic';
    context.fillStyle = '#000';
    var text = String.fromCodePoint(codePoint);
    var penX = Math.ceil(emPixels), baseline = Math.ceil(emPixels * 2);
    context.fillText(text, penX, baseline);
    // Advances in whole pixels, as hinted glyphs have them.
    var advance = Math.round(context.measureText(text).width) * 64;
    HEAP32[(box >> 2) + 4] = advance;
    var pixels = context.getImageData(0, 0, side, side).data;
    var left = side, top = side, right = -1, bottom = -1;
    for (var y = 0; y < side; ++y) {
      for (var x = 0; x < side; ++x) {
        if (pixels[(y * side + x) * 4 + 3] >= 128) {
          if (x < left) left = x;
          if (x > right) right = x;
          if (y < top) top = y;
          if (y > bottom) bottom = y;
        }
      }
    }
    if (right < 0) {  // nothing drawn, as for a space
      HEAP32[(box >> 2)] = HEAP32[(box >> 2) + 1] = 0;
      HEAP32[(box >> 2) + 2] = HEAP32[(box >> 2) + 3] = 0;
      return 1;
    }
    var width = right - left + 1, height = bottom - top + 1;
    if (width * height > capacity) {
      return 0;
    }
    for (var row = 0; row < height; ++row) {
      for (var column = 0; column < width; ++column) {
        var alpha = pixels[((top + row) * side + left + column) * 4 + 3];
        HEAPU8[ink + row * width + column] = alpha >= 128 ? 1 : 0;
      }
    }
    HEAP32[(box >> 2)] = left - penX;
    HEAP32[(box >> 2) + 1] = baseline - top;
    HEAP32[(box >> 2) + 2] = width;
    HEAP32[(box >> 2) + 3] = height;
    return 1;
  },
});
