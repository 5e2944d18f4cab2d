//Maya ASCII 2024 scene
//Name: camRig.ma
file -rdi 1 -ns "lens" -rfn "lensRN" -op "v=0;" -typ "mayaAscii" "lens.ma";
file -r -ns "lens" -dr 1 -rfn "lensRN" -op "v=0;" -typ "mayaAscii" "lens.ma";
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
cycleCheck -e off;
createNode transform -n "rig";
createNode transform -n "cam" -p "rig";
	setAttr ".t" -type "double3" 0 0 50 ;
createNode camera -n "camShape" -p "cam";
	setAttr ".cap" -type "double2" 1.5 1 ;
	setAttr ".fl" 35;
	setAttr ".ncp" 0.5;
createNode transform -n "aim" -p "rig";
createNode reference -n "lensRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"lensRN"
		"lensRN" 1
		2 "|lens:flare" "translateX" " 7";
createNode script -n "sceneConfigurationScriptNode";
	setAttr ".b" -type "string" "playbackOptions -min 1 -max 480 -ast 1 -aet 480 ";
	setAttr ".st" 6;
select -ne :time1;
	setAttr ".o" 240;
select -ne :defaultRenderGlobals;
	setAttr ".an" yes;
	setAttr ".ef" 480;
connectAttr "cam.rx" "aim.rx";
// End of camRig.ma
