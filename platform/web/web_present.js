// The presenters behind web_present.cpp: WebGL2 looks the palette up in a shader, the 2D
// canvas takes colours worked out in the program. Where WebGL2 is rasterised on the CPU
// (SwiftShader, llvmpipe), the 2D canvas shows the same picture for less. Which one costs less
// is measured when the program starts, since no name tells it: WebKit calls its software WebGL
// "Apple GPU". `?presenter=webgl2` or `?presenter=2d` in the page's address asks for one.
//
// A canvas that once gave a WebGL context never gives a 2D one, so falling back to the 2D
// canvas replaces the page's canvas with a fresh copy of it.
mergeInto(LibraryManager.library, {
  $ZephyxPresent: {
    gl: null,
    context2d: null,
    image: null,
    canvasCleared: true,  // the 2D canvas shows nothing of the program's picture
    pictureTexture: null,
    paletteTexture: null,
    width: 0,
    height: 0,
    vertexShader: '#version 300 es\n' +
        'void main() {\n' +
        '  vec2 corner = vec2(float((gl_VertexID << 1) & 2), float(gl_VertexID & 2));\n' +
        '  gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);\n' +
        '}\n',
    // The canvas is the picture's size, so each fragment is one pixel; row 0 is the top.
    fragmentShader: '#version 300 es\n' +
        'precision mediump float;\n' +
        'uniform mediump sampler2D picture;\n' +
        'uniform mediump sampler2D palette;\n' +
        'out vec4 colour;\n' +
        'void main() {\n' +
        '  ivec2 size = textureSize(picture, 0);\n' +
        '  ivec2 at = ivec2(int(gl_FragCoord.x), size.y - 1 - int(gl_FragCoord.y));\n' +
        '  int index = int(texelFetch(picture, at, 0).r * 255.0 + 0.5);\n' +
        '  colour = vec4(texelFetch(palette, ivec2(index, 0), 0).rgb, 1.0);\n' +
        '}\n',

    // Presents of a picture of the mode's size, timed on canvases of their own (the page's
    // canvas can still give either context). Each picture is read back one pixel, so the time
    // is the work done, not queued. The two presenters take turns and each keeps its fastest
    // present: a busy machine slows the slower runs, not the choice.
    measuredTurns: 5,
    webGl2IsCheaper: function() {
      var webGl2 = ZephyxPresent.trialWebGl2();
      if (!webGl2) {
        return false;
      }
      var canvas2d = ZephyxPresent.trial2d();
      var fastest = {webGl2: Infinity, canvas2d: Infinity};
      webGl2();  // the first present of each pays for setting it up
      canvas2d();
      for (var turn = 0; turn < ZephyxPresent.measuredTurns; ++turn) {
        fastest.webGl2 = Math.min(fastest.webGl2, ZephyxPresent.timed(webGl2));
        fastest.canvas2d = Math.min(fastest.canvas2d, ZephyxPresent.timed(canvas2d));
      }
      webGl2.release();
      // Milliseconds, for whoever wonders at the choice (the tests log them).
      Module.presentCosts = {webgl2: fastest.webGl2, '2d': fastest.canvas2d};
      return fastest.webGl2 < fastest.canvas2d;
    },
    timed: function(present) {
      var start = performance.now();
      present();
      return performance.now() - start;
    },
    // A picture and its palette in one memory, laid out as the program hands them over.
    trialMemory: function() {
      var size = ZephyxPresent.width * ZephyxPresent.height;
      var memory = new Uint8Array(size + 256 * 4);
      for (var i = 0; i < memory.length; ++i) {
        memory[i] = i * 7;
      }
      return {memory: memory, pixels: 0, palette: size};
    },
    // A present by WebGL2 as zephyx_present_indexed makes it, or null without WebGL2.
    trialWebGl2: function() {
      var gl = ZephyxPresent.sized(document.createElement('canvas')).getContext('webgl2');
      if (!gl) {
        return null;
      }
      try {
        ZephyxPresent.setUpWebGl2(gl);
      } catch (error) {
        return null;
      }
      var trial = ZephyxPresent.trialMemory();
      var pixel = new Uint8Array(4);
      var present = function() {
        ZephyxPresent.drawIndexed(gl, trial.memory, trial.pixels, ZephyxPresent.width,
                                  ZephyxPresent.height, ZephyxPresent.width, trial.palette);
        gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
      };
      present.release = function() {
        var lose = gl.getExtension('WEBGL_lose_context');
        if (lose) {
          lose.loseContext();
        }
      };
      return present;
    },
    // A present by the 2D canvas with its palette lookup, which web_present.cpp makes.
    trial2d: function() {
      var context = ZephyxPresent.sized(document.createElement('canvas')).getContext('2d');
      var trial = ZephyxPresent.trialMemory();
      var lookup = new Uint32Array(trial.memory.buffer, trial.palette, 256);
      var rgba = new Uint32Array(ZephyxPresent.width * ZephyxPresent.height);
      var image = new ImageData(new Uint8ClampedArray(rgba.buffer), ZephyxPresent.width,
                                ZephyxPresent.height);
      return function() {
        for (var i = 0; i < rgba.length; ++i) {
          rgba[i] = lookup[trial.memory[trial.pixels + i]];
        }
        context.putImageData(image, 0, 0);
        context.getImageData(0, 0, 1, 1);
      };
    },
    canvas: function() {
      return document.getElementById('screen');
    },
    // Sizing a canvas clears it, even to the size it has.
    sized: function(canvas) {
      canvas.width = ZephyxPresent.width;
      canvas.height = ZephyxPresent.height;
      ZephyxPresent.canvasCleared = true;
      return canvas;
    },
    // The page's canvas swapped for a copy that has never given a context.
    freshCanvas: function() {
      var old = ZephyxPresent.canvas();
      var fresh = old.cloneNode(false);
      old.replaceWith(fresh);
      if (document.activeElement === document.body) {
        fresh.focus();
      }
      Module.canvas = fresh;
      return ZephyxPresent.sized(fresh);
    },
    compile: function(gl, type, source) {
      var shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS)) {
        throw new Error(gl.getShaderInfoLog(shader) || 'the shader did not compile');
      }
      return shader;
    },
    texture: function(gl, unit) {
      var texture = gl.createTexture();
      gl.activeTexture(gl.TEXTURE0 + unit);
      gl.bindTexture(gl.TEXTURE_2D, texture);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
      return texture;
    },
    // The program, its textures and the picture texture's size: at the start, and again once
    // a lost context is restored with none of them. Throws where the shaders fail.
    setUpWebGl2: function(gl) {
      var program = gl.createProgram();
      gl.attachShader(program, ZephyxPresent.compile(gl, gl.VERTEX_SHADER,
                                                     ZephyxPresent.vertexShader));
      gl.attachShader(program, ZephyxPresent.compile(gl, gl.FRAGMENT_SHADER,
                                                     ZephyxPresent.fragmentShader));
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, gl.LINK_STATUS)) {
        throw new Error(gl.getProgramInfoLog(program) || 'the shaders did not link');
      }
      gl.useProgram(program);
      gl.uniform1i(gl.getUniformLocation(program, 'picture'), 0);
      gl.uniform1i(gl.getUniformLocation(program, 'palette'), 1);
      gl.bindVertexArray(gl.createVertexArray());
      gl.pixelStorei(gl.UNPACK_ALIGNMENT, 1);
      ZephyxPresent.pictureTexture = ZephyxPresent.texture(gl, 0);
      ZephyxPresent.paletteTexture = ZephyxPresent.texture(gl, 1);
      gl.texStorage2D(gl.TEXTURE_2D, 1, gl.RGBA8, 256, 1);
      ZephyxPresent.sizeWebGl2(gl);
    },
    sizeWebGl2: function(gl) {
      gl.viewport(0, 0, ZephyxPresent.width, ZephyxPresent.height);
      gl.activeTexture(gl.TEXTURE0);
      gl.bindTexture(gl.TEXTURE_2D, ZephyxPresent.pictureTexture);
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.R8, ZephyxPresent.width, ZephyxPresent.height, 0,
                    gl.RED, gl.UNSIGNED_BYTE, null);
    },
    // The 8-bit picture at `pixels` and the palette at `palette` in `memory`, drawn.
    drawIndexed: function(gl, memory, pixels, width, height, pitch, palette) {
      gl.pixelStorei(gl.UNPACK_ROW_LENGTH, pitch);
      gl.activeTexture(gl.TEXTURE0);
      gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, 0, width, height, gl.RED, gl.UNSIGNED_BYTE,
                       memory, pixels);
      gl.pixelStorei(gl.UNPACK_ROW_LENGTH, 0);
      gl.activeTexture(gl.TEXTURE1);
      gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, 0, 256, 1, gl.RGBA, gl.UNSIGNED_BYTE, memory,
                       palette);
      gl.drawArrays(gl.TRIANGLES, 0, 3);
    },
    startWebGl2: function(canvas) {
      // The drawing buffer is kept: without that, what reads the canvas back (a screenshot, the
      // tests) may get a cleared or an old picture.
      var gl = canvas.getContext('webgl2', {alpha: false, antialias: false, depth: false,
                                            preserveDrawingBuffer: true});
      if (!gl) {
        return false;
      }
      try {
        ZephyxPresent.setUpWebGl2(gl);
      } catch (error) {
        console.warn('WebGL2 presentation unavailable: ' + error.message);
        return false;
      }
      // Without preventDefault the browser never gives a lost context back.
      canvas.addEventListener('webglcontextlost', function(event) {
        event.preventDefault();
      });
      canvas.addEventListener('webglcontextrestored', ZephyxPresent.restored);
      ZephyxPresent.gl = gl;
      return true;
    },
    start2d: function(canvas) {
      ZephyxPresent.context2d = canvas.getContext('2d', {alpha: false});
      ZephyxPresent.image = null;
      ZephyxPresent.canvasCleared = true;
      // A 2D canvas whose context the browser restores comes back cleared.
      canvas.addEventListener('contextrestored', function() {
        ZephyxPresent.canvasCleared = true;
        _zephyx_events_repaint_needed();
      });
      return ZephyxPresent.context2d !== null;
    },
    // A restored context has lost everything made in it. Should the shaders fail now, the
    // picture goes on in a 2D canvas (web_present.cpp follows at its next picture).
    restored: function() {
      try {
        ZephyxPresent.setUpWebGl2(ZephyxPresent.gl);
      } catch (error) {
        console.warn('WebGL2 presentation not restored: ' + error.message);
        ZephyxPresent.gl = null;
        if (ZephyxPresent.start2d(ZephyxPresent.freshCanvas())) {
          ZephyxPresent.canvas().dataset.presenter = '2d';
        }
      }
      _zephyx_events_repaint_needed();
    },
  },

  zephyx_present_start__deps: ['$ZephyxPresent'],
  zephyx_present_start: function(width, height) {
    var canvas = ZephyxPresent.canvas();
    if (!canvas) {
      return 0;
    }
    ZephyxPresent.width = width;
    ZephyxPresent.height = height;
    ZephyxPresent.sized(canvas);
    var wanted = new URLSearchParams(location.search).get('presenter');
    if (wanted === 'webgl2' || (wanted !== '2d' && ZephyxPresent.webGl2IsCheaper())) {
      if (ZephyxPresent.startWebGl2(canvas)) {
        canvas.dataset.presenter = 'webgl2';
        return 2;
      }
      canvas = ZephyxPresent.freshCanvas();
    }
    if (!ZephyxPresent.start2d(canvas)) {
      return 0;
    }
    canvas.dataset.presenter = '2d';
    return 1;
  },

  zephyx_present_resize__deps: ['$ZephyxPresent'],
  zephyx_present_resize: function(width, height) {
    ZephyxPresent.width = width;
    ZephyxPresent.height = height;
    ZephyxPresent.sized(ZephyxPresent.canvas());
    if (ZephyxPresent.gl) {
      ZephyxPresent.sizeWebGl2(ZephyxPresent.gl);
    }
    if (Module.onDisplayMode) {
      Module.onDisplayMode(width, height);
    }
  },

  // 0 once WebGL2 is gone for good and the 2D canvas has taken over: the picture was not shown.
  zephyx_present_indexed__deps: ['$ZephyxPresent'],
  zephyx_present_indexed: function(pixels, width, height, pitch, palette) {
    var gl = ZephyxPresent.gl;
    if (!gl) {
      return 0;
    }
    ZephyxPresent.drawIndexed(gl, HEAPU8, pixels, width, height, pitch, palette);
    return 1;
  },

  zephyx_present_rgba__deps: ['$ZephyxPresent'],
  zephyx_present_rgba: function(pixels, width, height, top, bottom) {
    // A view of the program's own picture, made again only when the memory has grown (which
    // replaces the buffer) or the picture moved or changed size.
    var image = ZephyxPresent.image;
    if (!image || image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== pixels ||
        image.width !== width || image.height !== height) {
      var view = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
      image = ZephyxPresent.image = new ImageData(view, width, height);
    }
    ZephyxPresent.context2d.putImageData(image, 0, 0, 0, top, width, bottom - top);
  },

  // 1 once after the 2D canvas was cleared (sized, or its context restored): every row of the
  // next picture must go to it.
  zephyx_present_canvas_cleared__deps: ['$ZephyxPresent'],
  zephyx_present_canvas_cleared: function() {
    var cleared = ZephyxPresent.canvasCleared;
    ZephyxPresent.canvasCleared = false;
    return cleared ? 1 : 0;
  },
});
