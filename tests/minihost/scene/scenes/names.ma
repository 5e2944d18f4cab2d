//Maya ASCII 2024 scene
//Name: names.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "groupA";
createNode transform -n "pCube1" -p "groupA";
createNode transform -n "groupB";
createNode transform -n "pCube1" -p "groupB";
createNode animCurveTL -n "moveA";
	setAttr -s 1 ".ktv[0]"  1 5;
createNode animCurveTL -n "moveB";
	setAttr -s 1 ".ktv[0]"  1 7;
connectAttr "moveA.o" "|groupA|pCube1.tx";
connectAttr "moveB.o" "groupB|pCube1.tx";
createNode transform -n "rig";
createNode camera -n "rig" -p "rig";
	setAttr ".fl" 50;
