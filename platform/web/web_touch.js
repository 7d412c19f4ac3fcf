// The fingers on the page's touch controls (shell.html), handed to web_touch.cpp: the stick's
// finger as its offset from the ring's centre, the fire button as held while any finger is on
// it. Each control follows its own fingers, so one steers while another fires.
mergeInto(LibraryManager.library, {
  $ZephyxTouch: {
    stickFinger: null,
    fireFingers: [],
    listening: [],

    element: function(id) {
      return document.getElementById(id);
    },
    // The knob, a radius wide, follows the finger up to the ring's rim.
    showKnob: function(x, y) {
      var reach = Math.min(1, 1 / Math.max(Math.hypot(x, y), 1e-9));
      ZephyxTouch.element('knob').style.transform =
          'translate(' + (x * reach * 100) + '%, ' + (y * reach * 100) + '%)';
    },
    steer: function(event) {
      if (event.pointerId !== ZephyxTouch.stickFinger) {
        return;
      }
      var ring = ZephyxTouch.element('ring').getBoundingClientRect();
      var radius = ring.width / 2;
      var x = (event.clientX - ring.left - radius) / radius;
      var y = (event.clientY - ring.top - radius) / radius;
      ZephyxTouch.showKnob(x, y);
      _zephyx_touch_stick(Math.round(x * 1000), Math.round(y * 1000), 0);
    },
    stickDown: function(event) {
      if (ZephyxTouch.stickFinger === null) {
        ZephyxTouch.stickFinger = event.pointerId;
        event.currentTarget.setPointerCapture(event.pointerId);
        ZephyxTouch.steer(event);
      }
      event.preventDefault();
    },
    stickUp: function(event) {
      if (event.pointerId === ZephyxTouch.stickFinger) {
        ZephyxTouch.stickFinger = null;
        ZephyxTouch.showKnob(0, 0);
        _zephyx_touch_stick(0, 0, 1);
      }
    },
    fire: function(event) {
      var fingers = ZephyxTouch.fireFingers.filter(function(finger) {
        return finger !== event.pointerId;
      });
      if (event.type === 'pointerdown') {
        fingers.push(event.pointerId);
        event.currentTarget.setPointerCapture(event.pointerId);
        event.preventDefault();
      }
      ZephyxTouch.fireFingers = fingers;
      ZephyxTouch.element('fire').classList.toggle('held', fingers.length > 0);
      _zephyx_touch_fire(fingers.length > 0 ? 1 : 0);
    },
    listen: function(id, type, handler) {
      var target = id ? ZephyxTouch.element(id) : window;
      target.addEventListener(type, handler);
      ZephyxTouch.listening.push([target, type, handler]);
    },
  },

  zephyx_touch_listen__deps: ['$ZephyxTouch'],
  zephyx_touch_listen: function() {
    var touch = ZephyxTouch;
    touch.listen('stick', 'pointerdown', touch.stickDown);
    touch.listen('stick', 'pointermove', touch.steer);
    ['pointerup', 'pointercancel'].forEach(function(type) {
      touch.listen('stick', type, touch.stickUp);
      touch.listen('fire', type, touch.fire);
    });
    touch.listen('fire', 'pointerdown', touch.fire);
    // The game lets go of every key on both (web_events.cpp), whatever the fingers hold.
    touch.listen(null, 'blur', function() {
      _zephyx_touch_forget();
    });
    touch.listen(null, 'visibilitychange', function() {
      if (document.hidden) {
        _zephyx_touch_forget();
      }
    });
  },

  zephyx_touch_stop__deps: ['$ZephyxTouch'],
  zephyx_touch_stop: function() {
    ZephyxTouch.listening.forEach(function(listener) {
      listener[0].removeEventListener(listener[1], listener[2]);
    });
    ZephyxTouch.listening = [];
  },
});
