//Maya ASCII 2024 scene
//Name: mesh.ma
requires maya "2024";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "strip";
createNode mesh -n "stripShape" -p "strip";
	setAttr -k off ".v";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 6 ".uvst[0].uvsp[0:5]" -type "float2" 0 0 0.5 0 1 0 0 1
		 0.5 1 1 1;
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 6 ".vt[0:5]"  0 0 0 1 0 0 2 0 0
		 0 0 -1 1 0 -1 2 0 -1;
	setAttr -s 2 ".pt";
	setAttr ".pt[2]" -type "float3" 0 1 0 ;
	setAttr ".pt[5]" -type "float3" 0 1 0 ;
	setAttr -s 7 ".ed[0:6]"  0 1 0 1 4 0 3 4 0 0 3 0 1 2 0 2 5 0 4 5 0;
	setAttr -s 2 -ch 8 ".fc[0:1]" -type "polyFaces" 
		f 4 0 1 -3 -4
		mu 0 4 0 1 4 3
		f 4 4 5 -7 -2
		mu 0 4 1 2 5 4;
	setAttr ".cd" -type "dataPolyComponent" Index_Data Edge 0 ;
createNode transform -n "tri";
createNode mesh -n "triShape" -p "tri";
	setAttr -s 3 ".vt[0:2]"  0 0 0 1 0 0 0 1 0;
	setAttr -s 3 ".ed[0:2]"  0 1 1 1 2 1 2 0 1;
	setAttr -s 3 ".n[0:2]" -type "float3"  0 0 1 1e+20 1e+20 1e+20 0.6 0 0.8;
	setAttr ".fc[0]" -type "polyFaces" 
		f 3 0 1 2;
createNode transform -n "box";
createNode mesh -n "boxShape" -p "box";
createNode polyCube -n "polyCube1";
	setAttr ".w" 2;
	setAttr ".h" 4;
	setAttr ".d" 6;
	setAttr ".cuv" 4;
createNode transform -n "ball";
createNode mesh -n "ballShape" -p "ball";
createNode polySphere -n "polySphere1";
	setAttr ".r" 3;
	setAttr ".sa" 8;
	setAttr ".sh" 6;
createNode transform -n "pipe";
createNode mesh -n "pipeShape" -p "pipe";
createNode polyCylinder -n "polyCylinder1";
	setAttr ".r" 2;
	setAttr ".h" 4;
	setAttr ".sa" 6;
createNode transform -n "bent";
createNode mesh -n "bentShape" -p "bent";
	setAttr -s 3 ".vt[0:2]"  0 0 0 1 0 0 0 0 -1;
	setAttr -s 3 ".ed[0:2]"  0 1 0 1 2 0 2 0 0;
	setAttr ".fc[0]" -type "polyFaces" f 3 0 1 2;
createNode bend -n "bend1";
createNode transform -n "lost";
createNode mesh -n "lostShape" -p "lost";
createNode polyExtrudeFace -n "polyExtrudeFace1";
connectAttr "polyCube1.out" "boxShape.i";
connectAttr "polySphere1.out" "ballShape.i";
connectAttr "polyCylinder1.out" "pipeShape.i";
connectAttr "bend1.og[0]" "bentShape.i";
connectAttr "polyExtrudeFace1.out" "lostShape.i";
