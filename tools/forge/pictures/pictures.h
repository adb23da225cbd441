#pragma once
// The makers of every picture the show reads, grouped by kind. Each returns a
// finished picture; the catalogue (catalogue.h) names the file it goes to.

#include "forge/common/image.h"

// Shared pictures of start-up and the fades.
Image MakeRewindSign();   // 128x128: one "rewind" triangle, drawn twice side by side
Image MakeBlack();        // 32x32
Image MakeWhite();        // 32x32

// Glows on black for additive point sprites and sprites; the inverse glow
// for multiplied sprites.
Image MakeFlareWarm();      // flara3
Image MakeFlareCool();      // flara03
Image MakeFlareSoft();      // flara2
Image MakeFlareRinged();    // flara3zzz
Image MakeFlareOrbit();     // flaraorbita
Image MakeFlareInverse();   // flarainv, 128x128
Image MakeFocusGlow();      // foko, 512x512 with rays

// Seamless 256x256 tiles: the five shared pictures, grid and environment maps.
Image MakePlasmaTile();        // tex0, "1"
Image MakeChromeTile();        // tex1, "2"
Image MakeTechTile();          // tex2, "3"
Image MakeCellTile();          // tex3, "4"
Image MakeInterferenceTile();  // tex4, "5"
Image MakeFloorTile();         // back, the ray-cast floor and ceiling
Image MakeChessTile();         // dupa2
Image MakeTunnelTile();        // back2, the polar map
Image MakeHorizonTile();       // t5, environment of the long object
Image MakeDarkGlossTile();     // czarna, environment of the blob

// Full-screen backgrounds (512x512, top 384 or 359 rows shown).
Image MakeSwirlBackground();     // fx01_tlo
Image MakeFlashBackground();     // fx03_tlo
Image MakeGoldBackground();      // fx06_tlo
Image MakeGoldEmblemAlpha();     // fx06_tloalfa
Image MakeSunriseBackground();   // rebirth
Image MakeNightGlass();          // nightglass512
Image MakeSkyFromAbove();        // niebo (359 rows)
Image MakeVolumeBackground();    // fx05_tlo (359 rows)

// Pictures laid over an effect through their own alpha picture.
Image MakeFrameColour();         // fx04_tlo
Image MakeFrameAlpha();          // fx04_tloalpha
Image MakeLetterboxColour();     // lay
Image MakeLetterboxAlpha();      // layalpha
Image MakeEclipse();             // obraz
Image MakeEclipseCoreAlpha();    // obrazalpha3: the first reveal
Image MakeEclipseRingAlpha();    // obrazalpha22: the second reveal
Image MakeEclipseStudyAlpha();   // obrazalpha

// Pictures with the show's name.
Image MakeLogo();                // 512x256
Image MakeEndColour();           // fxend_tlo
Image MakeEndAlpha();            // fxend_tloalfa

// Greetings cells: 4 columns x 4 rows of 128x31 cells (512x128).
Image MakeGreetingsColour();     // greetsblack
Image MakeGreetingsAlpha();      // greets

// The bar sprite of the stripes overlay and the greetings stripes.
Image MakeBarColour();           // pasek, 64x16
Image MakeBarAlpha();            // pasekalpha

// Band pictures of the layers overlay (rows in bands.h).
Image MakeLetterBands();
Image MakePatternBands();

// Pictures the show loads without drawing, and the 64x64 volume pictures.
Image MakeCherry();              // wisnia
Image MakeRed();                 // red
Image MakeStrata();              // layers
Image MakeVolumePicture(int index);  // volu1..volu5, index 0..4
