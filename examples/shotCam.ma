//Maya ASCII 2024 scene
//Name: shotCam.ma
//The shot's camera, published on its own and referenced by shot.ma. Written by hand for this
//project.
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "shotCam";
	setAttr ".t" -type "double3" -150 160 650 ;
	setAttr ".r" -type "double3" -12 0 0 ;
createNode camera -n "shotCamShape" -p "shotCam";
	setAttr -k off ".v";
	setAttr ".cap" -type "double2" 1.41732 0.94488 ;
	setAttr ".ff" 1;
	setAttr ".fl" 35;
	setAttr ".ncp" 1;
	setAttr ".fcp" 10000;
