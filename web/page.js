// The page around the show: loads rewind.js, rewind.wasm and rewind.data with
// progress, opens on a start screen (browsers start sound only after a click
// or a key), runs the show in a fresh instance on a fresh canvas for each
// play, and handles full screen. Its state is in window.rewindPage, which the
// browser tests read.
//
// URL switches:
//   ?autoplay                  starts at once (needs the browser's autoplay permission)
//   ?times=T1,T2,...&leadin=N  renders those show times on a virtual clock, each
//                              after N lead-in frames 20 ms apart, as
//                              rewind-capture --times --lead-in does, and keeps each
//                              frame's pixels in rewindPage.frames
//   ?log                       the show's log on the browser's console (REWIND_LOG=-)
//   &measure                   with times: keeps no pixels, only the frame times
//                              the show prints at the end (in rewindPage.log)
'use strict';

const page = {
  phase: 'loading', // loading, ready, starting, playing, ended, stopped, captured, failed
  frames: [], // capture mode: {time, width, height, rgba}
  log: [], // everything the show printed, standard error lines starting with "! "
  loadedAt: null, // ms since navigation when the downloads were done
  firstFrameAt: null, // ms since navigation when the first frame of the last play was drawn
  musicTime: () => (instance ? instance._rewind_music_time() : 0),
};
window.rewindPage = page;

const params = new URLSearchParams(location.search);
const captureTimes = params.get('times');
const leadIn = params.get('leadin');
const autoplay = params.has('autoplay');
const keepFrames = !params.has('measure');

const element = id => document.getElementById(id);
const stage = element('stage');
const panel = element('panel');
const statusLine = element('status');
const startButton = element('start');

let compiledWasm = null;
let dataPackage = null;
let instance = null;
let escapePressed = false;

function show(id, visible) {
  element(id).hidden = !visible;
}

function setPhase(phase, text) {
  page.phase = phase;
  statusLine.textContent = text;
  document.body.classList.toggle('playing', phase === 'playing' || phase === 'starting');
  document.body.classList.toggle('ended', phase === 'ended');
}

function fail(text) {
  setPhase('failed', 'The show cannot run here.');
  show('progress', false);
  show('start', false);
  show('hint', false);
  element('problem').textContent = text;
  show('problem', true);
  panel.hidden = false;
}

// Downloads one file of the page, reporting its progress; the error names the file.
async function download(name, progress) {
  let response;
  try {
    response = await fetch(name);
  } catch (error) {
    throw new Error(`${name} could not be loaded: ${error.message}`);
  }
  if (!response.ok) throw new Error(`${name} could not be loaded: ${response.status} ${response.statusText}`);
  const total = Number(response.headers.get('Content-Length')) || 0;
  const reader = response.body.getReader();
  const chunks = [];
  let received = 0;
  for (;;) {
    const { done, value } = await reader.read();
    if (done) break;
    chunks.push(value);
    received += value.length;
    progress(received, total);
  }
  const bytes = new Uint8Array(received);
  let offset = 0;
  for (const chunk of chunks) {
    bytes.set(chunk, offset);
    offset += chunk.length;
  }
  return bytes.buffer;
}

function loadScript(name) {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = name;
    script.onload = resolve;
    script.onerror = () => reject(new Error(`${name} could not be loaded`));
    document.head.appendChild(script);
  });
}

async function loadEverything() {
  show('progress', true);
  const received = { 'rewind.wasm': [0, 0], 'rewind.data': [0, 0] };
  const progress = name => (bytes, total) => {
    received[name] = [bytes, total];
    let sum = 0;
    let sumTotal = 0;
    for (const [got, size] of Object.values(received)) {
      sum += got;
      sumTotal += size;
    }
    const mib = value => (value / 1048576).toFixed(1);
    element('progress-fill').style.width = sumTotal > 0 ? `${Math.min(100, (100 * sum) / sumTotal)}%` : '0';
    element('progress-text').textContent = sumTotal > 0 ? `${mib(sum)} of ${mib(sumTotal)} MiB` : `${mib(sum)} MiB`;
  };
  const [, wasm, data] = await Promise.all([
    loadScript('rewind.js'),
    download('rewind.wasm', progress('rewind.wasm')),
    download('rewind.data', progress('rewind.data')),
  ]);
  dataPackage = data;
  try {
    compiledWasm = await WebAssembly.compile(wasm);
  } catch (error) {
    throw new Error(`rewind.wasm is damaged: ${error.message}`);
  }
  show('progress', false);
  page.loadedAt = performance.now();
}

// The canvas of one play. A fresh one each time: a canvas keeps the WebGL
// context of the instance that drew on it.
function freshCanvas() {
  stage.replaceChildren();
  const canvas = document.createElement('canvas');
  canvas.id = 'canvas'; // the element SDL looks for
  canvas.tabIndex = -1;
  canvas.addEventListener('contextmenu', event => event.preventDefault());
  stage.appendChild(canvas);
  return canvas;
}

const grab = document.createElement('canvas');
const grabContext = grab.getContext('2d', { willReadFrequently: true });

// Called by the show right after it drew a requested frame, while the canvas
// still holds it.
function keepFrame(canvas, time) {
  grab.width = canvas.width;
  grab.height = canvas.height;
  // Over the page's black, as the browser shows it: the frame's alpha
  // channel holds whatever the show blended into it.
  grabContext.fillStyle = '#000';
  grabContext.fillRect(0, 0, grab.width, grab.height);
  grabContext.drawImage(canvas, 0, 0);
  const pixels = grabContext.getImageData(0, 0, grab.width, grab.height);
  page.frames.push({ time, width: pixels.width, height: pixels.height, rgba: pixels.data });
}

// The show's end frame, kept when it is drawn: closing the show's window
// empties its canvas.
function keepEndFrame(canvas) {
  const still = document.createElement('canvas');
  still.width = canvas.width;
  still.height = canvas.height;
  const context = still.getContext('2d');
  context.fillStyle = '#000';
  context.fillRect(0, 0, still.width, still.height);
  context.drawImage(canvas, 0, 0);
  still.className = 'end-frame';
  stage.appendChild(still);
}

function lastErrors() {
  return page.log.filter(line => line.startsWith('! ')).slice(-6).map(line => line.slice(2)).join('\n');
}

function onShowExit(code) {
  instance = null;
  if (captureTimes !== null) {
    if (code === 0) setPhase('captured', `${page.frames.length} frames rendered.`);
    else fail(`The show stopped with code ${code}.\n${lastErrors()}`);
    return;
  }
  if (code !== 0) {
    fail(`The show stopped with code ${code}.\n${lastErrors()}`);
    return;
  }
  panel.hidden = false;
  show('hint', false);
  if (escapePressed) {
    stage.replaceChildren();
    setPhase('stopped', 'The show was stopped.');
    startButton.textContent = 'Start';
  } else {
    // The end frame stays on the canvas behind the offer.
    setPhase('ended', 'The end.');
    startButton.textContent = 'Play again';
  }
  show('start', true);
  startButton.focus();
}

function start() {
  if (instance !== null || !['ready', 'ended', 'stopped'].includes(page.phase)) return;
  escapePressed = false;
  panel.hidden = true;
  page.firstFrameAt = null;
  setPhase('starting', 'Starting…');
  const canvas = freshCanvas();
  const showArguments = captureTimes === null ? [] : ['--times', captureTimes, '--lead-in', leadIn || '0'];
  createRewind({
    canvas,
    arguments: showArguments,
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(compiledWasm, imports).then(made => receive(made, compiledWasm));
      return {};
    },
    getPreloadedPackage: () => dataPackage,
    preRun: [made => {
      if (params.has('log')) made.ENV.REWIND_LOG = '-';
    }],
    print: line => page.log.push(line),
    printErr: line => {
      page.log.push(`! ${line}`);
      console.warn(line);
    },
    onShowFrame: time => keepFrames && keepFrame(canvas, time),
    onLastFrame: () => keepEndFrame(canvas),
    onFirstFrame: () => {
      page.firstFrameAt = performance.now();
      setPhase('playing', 'Playing.');
    },
    onExit: onShowExit,
    onAbort: reason => fail(`The show failed: ${reason}\n${lastErrors()}`),
  }).then(made => {
    instance = made;
  });
}

function toggleFullScreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else document.documentElement.requestFullscreen().catch(() => {});
}

document.addEventListener(
  'keydown',
  event => {
    if (event.key === 'Escape') escapePressed = true;
    if ((event.key === 'f' || event.key === 'F') && !event.repeat && captureTimes === null) toggleFullScreen();
    const startsTheShow = !['f', 'F', 'Escape', 'Tab'].includes(event.key) && !event.repeat;
    if (startsTheShow && ['ready', 'ended', 'stopped'].includes(page.phase)) {
      event.preventDefault();
      start();
    }
  },
  true,
);
// The show ends through exit(), which throws ExitStatus to unwind its
// instance; when the show was resumed from an animation frame, that throw
// lands in the browser's promise callback. onExit has reported it by then.
window.addEventListener('unhandledrejection', event => {
  if (event.reason && event.reason.name === 'ExitStatus') event.preventDefault();
});
window.addEventListener('error', event => {
  if (event.error && event.error.name === 'ExitStatus') event.preventDefault();
});
startButton.addEventListener('click', start);
element('fullscreen').addEventListener('click', event => {
  event.currentTarget.blur();
  toggleFullScreen();
});

async function main() {
  if (document.createElement('canvas').getContext('webgl2') === null) {
    fail('This show draws with WebGL2, which this browser does not offer (or has switched off).');
    return;
  }
  if (captureTimes !== null) document.body.classList.add('capture');
  try {
    await loadEverything();
  } catch (error) {
    fail(error.message);
    return;
  }
  setPhase('ready', 'Ready.');
  if (captureTimes !== null || autoplay) {
    start();
    return;
  }
  show('start', true);
  show('hint', true);
}

main();
